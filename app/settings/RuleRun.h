#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "SettingRules.h"

namespace Tool {

// Something a program does not take as written.
struct SettingProblem {
    std::string key;
    // The message, as the program prints it.
    std::string message;
    // True: the program stops (exit code 2); false: it uses another value,
    // or nothing, and says so.
    bool refused;
    // A note the game keeps quiet about, as the classic game does; the
    // settings check says it.
    bool quietInGame;
};

// One walk of the setting rules for one program: what the checks found so
// far, and what later checks need from earlier ones (the arena and the
// number of players, once read). Owns its problems.
class RuleRun {
public:
    // program: SettingRule::GAME, SIMULATOR or SERVER.
    explicit RuleRun(unsigned program) : program(program) {}

    // The rule whose keys are being judged.
    void setRule(const SettingRule& rule) { current = &rule; }
    // Judges one key: a std::exception thrown by body is a refusal with its
    // message, a line body writes on its stream a note. False after a
    // refusal. A CFG::ReportedError, whose report is out already, passes.
    bool judge(const std::string& key, const std::function<void(std::ostream& notes)>& body);

    const std::vector<SettingProblem>& getProblems() const { return problems; }
    bool refused() const;

    const unsigned program;
    int gridWidth = 0;
    int gridHeight = 0;
    // False once a grid side was refused: the players cannot be judged.
    bool arenaKnown = true;
    int players = 0;

private:
    const SettingRule* current = nullptr;
    std::vector<SettingProblem> problems;
};

} // namespace Tool
