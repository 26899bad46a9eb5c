#pragma once

#include <string>
#include <vector>

#include "RuleRun.h"

namespace Tool {

// The checks Vektra makes on its settings, in one place so that the game,
// the simulator, the server and the settings inspector ("vektra-config
// --check") judge a value alike: each walks the setting rules
// (settingRules) through the programs' own readers, so messages and exit
// codes are the same wherever a value is judged. Holds nothing.
class SettingsCheck {
public:
    // Exit code of a program that refuses a setting.
    static constexpr int REFUSED = 2;

    // Every rule program reads (SettingRule::GAME, SIMULATOR or SERVER;
    // the simulator builds the game, so it walks the game's rules but those
    // it sets itself), in the game's order, against the settings loaded now;
    // with stopAtRefusal the walk ends at the first refused value. Nothing is
    // printed.
    static std::vector<SettingProblem> run(unsigned program, bool stopAtRefusal = false);

    // A warning for each key in the two stores that no part of Vektra
    // reads, with the nearest known key as a hint; include keys, selectors,
    // keys another value refers to, keys "GLOBAL_KEYS" lists and "INFO_"
    // keys are not warned about.
    static std::vector<SettingProblem> unknownKeys();

    // A program's start-up: prints the problems of run(program, true) on
    // the error stream of Util::Debug, one line each (the game leaves out
    // those the classic game keeps quiet about); returns
    // CFG::SettingsLoader::GO_ON, or REFUSED after a refusal.
    static int atStartUp(unsigned program);
    // atStartUp of the game and of the simulator, for GameDefinition.
    static int gameStartUp();
    static int simulatorStartUp();
};

} // namespace Tool
