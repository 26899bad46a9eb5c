#pragma once

#include <string>
#include <vector>

namespace Tool {

// What a match's result ("DRAW", "WIN=" + player) means for the seats at
// this window: who won, and whether one of them did. The screen's "YOU
// WIN" and the sound's win or lose cue ask the same question here. Holds
// no state.
class SeatResult {
public:
    // The winning player, or -1 for a draw, no result or anything else.
    static int winner(const std::string& result);
    // Whether the winner is one of seats.
    static bool wonBy(const std::string& result, const std::vector<int>& seats);
};

} // namespace Tool
