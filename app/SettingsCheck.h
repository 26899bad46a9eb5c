#pragma once

#include <string>
#include <vector>

namespace Tool {

// The checks Vektra makes on its settings, in one place so that the game
// and the settings inspector ("vektra-config --check") judge a value alike:
// the game calls the same readers at start-up and at a match start, and
// ends with exit code 2 where run() reports a refused value. Holds nothing.
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

    // Largest accepted "GRID_WIDTH" and "GRID_HEIGHT": the arena view keeps
    // 48 bytes per cell, so this bounds its buffer at 48 MiB.
    static constexpr int MAX_GRID_SIDE = 1024;

    // A grid side setting: 3 or less gives 4; above MAX_GRID_SIDE throws
    // std::invalid_argument with a message for the player.
    static int gridSide(const char* key);
    // "NUM_PLAYERS" for a grid of width x height: 1 or less gives 2; more
    // than the free cells throws std::invalid_argument.
    static int playerCount(int width, int height);

    // Every check of start-up and of a match start, in the game's order,
    // against the settings loaded now; each value that the game would
    // refuse or limit gives one problem. Nothing is printed.
    static std::vector<Problem> run();
};

} // namespace Tool
