#pragma once

#include <string>
#include <vector>

#include "MatchPace.h"

namespace Tool {

// What the game keeps around its matches for the screen: the wins of each
// player since the program started, the matches started, whether the
// match is paused, and the last result ("DRAW", "WIN=" + player, "LEAVE",
// or empty while a match plays), and the match's pace (a countdown before
// the first step, fast-forward). Holds values only.
struct Scoreboard {
    std::vector<int> wins;
    int matchesStarted = 0;
    bool paused = false;
    std::string result;
    MatchPace pace;

    // True from a match start until its result.
    bool inMatch() const { return matchesStarted > 0 && result.empty(); }
};

} // namespace Tool
