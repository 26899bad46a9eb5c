#include "MatchPace.h"

#include "MatchOptions.h"

namespace Tool {

void MatchPace::start(const MatchOptions& options)
{
    left = options.countdown;
    skipping = false;
}

bool MatchPace::countingDown(float elapsed)
{
    if (left <= 0) {
        return false;
    }
    left -= elapsed;
    if (left <= 0) {
        // The first step then comes one step interval after the count ends,
        // as it comes one interval after the start without a countdown.
        left = 0;
    }
    return true;
}

int MatchPace::fastSteps(float elapsed, float moveTime, float& timer, std::size_t mostSteps) const
{
    if (skipping) {
        return static_cast<int>(mostSteps);
    }
    // The step timer runs FAST_FACTOR times as fast; every interval it
    // crosses is a step, at most FAST_FACTOR in one frame.
    timer -= elapsed * FAST_FACTOR;
    int steps = 0;
    while (timer < 0 && steps < FAST_FACTOR) {
        ++steps;
        timer += moveTime;
    }
    // The overshoot is dropped, as at the normal pace.
    if (timer < 0) {
        timer = moveTime;
    }
    return steps;
}

} // namespace Tool
