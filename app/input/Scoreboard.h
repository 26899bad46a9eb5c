#pragma once

#include <string>
#include <vector>

#include "MatchPace.h"

namespace Tool {

// What the game keeps around its matches for the screen: the wins of each
// player since the program started, the matches started, whether the
// match is paused, and the last result ("DRAW", "WIN=" + player, "LEAVE",
// "MISMATCH" for a replay that no longer plays as recorded, or empty while
// a match plays), a notice that says why a match stopped, and the match's
// pace (a countdown before the first step, fast-forward). Holds values
// only.
struct Scoreboard {
    std::vector<int> wins;
    int matchesStarted = 0;
    bool paused = false;
    std::string result;
    // One line, "HEADING: DETAIL", shown until the next match starts; empty
    // without one.
    std::string notice;
    MatchPace pace;

    // True from a match start until its result.
    bool inMatch() const { return matchesStarted > 0 && result.empty(); }
};

} // namespace Tool
