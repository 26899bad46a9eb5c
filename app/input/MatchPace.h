#pragma once

#include <cstddef>

namespace Tool {

struct MatchOptions;

// The pace of a match beyond its step timer: a countdown before the first
// step ("COUNTDOWN"), during which the arena stands still, and, once no
// person is left in the match, fast-forward ("FAST_FORWARD"): the same steps
// FAST_FACTOR times as often, or all at once when a skip is asked for.
// Both are off in the classic game. Holds values only.
class MatchPace {
public:
    // How many times as fast the rest of a match plays once no person is
    // left; also the most steps played in one frame.
    static constexpr int FAST_FACTOR = 4;

    // Readies the pace for a new match from its options.
    void start(const MatchOptions& options);

    // Runs the countdown down by elapsed game milliseconds; true while it
    // still runs, when no step may be played yet.
    bool countingDown(float elapsed);
    // Game milliseconds left of the countdown; 0 once it is over.
    float countdownLeft() const { return left; }

    // The steps to play in a frame of elapsed game milliseconds once no
    // person is left, with the match's step interval moveTime; timer is the
    // match's step timer, left as the normal pace would leave it. A skip
    // plays every step up to at most mostSteps.
    int fastSteps(float elapsed, float moveTime, float& timer, std::size_t mostSteps) const;

    // SPACE while fast-forwarding: play the rest at once.
    void skip() { skipping = true; }
    bool isSkipping() const { return skipping; }

private:
    float left = 0;
    bool skipping = false;
};

} // namespace Tool
