#pragma once

#include <string>
#include <vector>

namespace Tool {

// The checks Vektra makes on its settings, in one place so that the game
// and the settings inspector ("vektra-config --check") judge a value alike:
// the game calls the same readers at start-up and at a match start, and
// ends with exit code 2 where run() reports a refused value. The arena's,
// the levels' and the options' checks are the game's own readers
// (MatchSettings, MatchOptions). Holds nothing.
class SettingsCheck {
public:
    // Something the game does not take as written.
    struct Problem {
        std::string key;
        // The game's own message, as it prints it.
        std::string message;
        // True: the game stops (exit code 2); false: it uses a limited
        // value and says so.
        bool refused;
    };

    // Every check of start-up and of a match start, in the game's order,
    // against the settings loaded now; each value that the game would
    // refuse or limit gives one problem. Nothing is printed.
    static std::vector<Problem> run();
};

} // namespace Tool
