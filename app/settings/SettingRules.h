#pragma once

#include <string>
#include <vector>

namespace Tool {

class RuleRun;

// One setting some part of Vektra reads, who reads it, and the check of its
// value. The table of them (settingRules) is the one list of settings: the
// game's start-up, the simulator's and the server's walk it
// (SettingsCheck), "vektra-config --check" walks it, and the man pages list
// its keys.
struct SettingRule {
    enum Flag : unsigned {
        // The game reads it.
        GAME = 1u << 0,
        // It changes the matches vektra-sim plays.
        SIMULATOR = 1u << 1,
        // vektra-sim sets it itself, whatever the settings say.
        SIMULATOR_SETS = 1u << 2,
        // vektra-server reads it.
        SERVER = 1u << 3,
        // A setting of the classic game: the game keeps quiet about a value
        // it brings into range, as the classic game does.
        CLASSIC = 1u << 4,
        // Its value is a path (CFG::SettingsLoader).
        PATH = 1u << 5,
    };

    // The key; a family of keys has "<n>" where a seat's number goes
    // ("AI_LEVEL_P<n>"), from lowest to highest (0: no highest), or
    // "<name>" where a render ability's name goes ("INFO_<name>").
    const char* key;
    unsigned flags;
    // Judges the values of the rule's keys through run (RuleRun::judge).
    void (*check)(const SettingRule& rule, RuleRun& run);
    int lowest = 0;
    int highest = 0;

    // The family's key for number n ("AI_LEVEL_P3"); the key itself when
    // it is no family.
    std::string keyFor(int n) const;
    // Whether key is this rule's key or one of its family.
    bool names(const std::string& key) const;
    bool isFamily() const;
};

// Every rule, in the order the game reads the settings at start-up and at a
// match start: a walk reports the first refused value the game would meet.
const std::vector<SettingRule>& settingRules();

// Whether some part of Vektra reads key (a family's member too).
bool isSettingKey(const std::string& key);

// The keys of the rules with any of flags, as written in the table.
std::vector<std::string> settingKeys(unsigned flags);

// The keys whose values are paths, closed by a null pointer.
const char* const* pathSettings();

} // namespace Tool
