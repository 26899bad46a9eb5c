#pragma once

#include <string>
#include <vector>

namespace Tool {

// What the game keeps around its matches for the screen: the wins of each
// player since the program started, the matches started, whether the
// match is paused, and the last result ("DRAW", "WIN=" + player, "LEAVE",
// or empty while a match plays). Holds values only.
struct Scoreboard {
    std::vector<int> wins;
    int matchesStarted = 0;
    bool paused = false;
    std::string result;

    // True from a match start until its result.
    bool inMatch() const { return matchesStarted > 0 && result.empty(); }
};

} // namespace Tool
