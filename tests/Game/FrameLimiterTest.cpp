#include <gtest/gtest.h>

#include <limits>

#include "Game/FrameLimiter.h"

// Frames of the given lengths (milliseconds), each followed by the rest
// the limiter asks for, on a clock that starts at 1000 s.
TEST(FrameLimiter, RestsTheRestOfEachFramesShare)
{
    struct Case {
        const char* what;
        float framesPerSecond;
        double lengths[4];
        double rests[4];
    } cases[] = {
        // 50 a second: a share of 20 ms, counted from the end of the first.
        {"quick frames rest to their share", 50, {5, 5, 1, 19}, {0, 15, 19, 1}},
        {"frames as long as their share rest nothing", 50, {5, 20, 20, 20}, {0, 0, 0, 0}},
        {"a late frame is made up by the next", 50, {5, 30, 5, 5}, {0, 0, 5, 15}},
        {"more than a share late starts afresh", 50, {5, 50, 5, 5}, {0, 0, 15, 15}},
        {"off at 0", 0, {1, 1, 1, 1}, {0, 0, 0, 0}},
        {"off below 0", -60, {1, 1, 1, 1}, {0, 0, 0, 0}},
        {"off for not a number",
         std::numeric_limits<float>::quiet_NaN(),
         {1, 1, 1, 1},
         {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Game::FrameLimiter limiter(c.framesPerSecond);
        EXPECT_EQ(limiter.isOn(), c.framesPerSecond > 0);
        double clock = 1000.0;
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            clock += c.lengths[i] / 1000;
            const double rest = limiter.restAfterFrame(clock);
            EXPECT_NEAR(rest * 1000, c.rests[i], 1e-6);
            clock += rest;
        }
    }
}

TEST(FrameLimiter, SixtyFramesASecondOfIdleFramesKeepTheRate)
{
    // Frames that take 1 ms each, slept as asked, with a sleep that wakes
    // 0.1 ms late: a second still holds 60 frames, never more.
    Game::FrameLimiter limiter(60);
    double clock = 10.0;
    int frames = 0;
    while (clock < 11.0) {
        clock += 0.001;
        ++frames;
        const double rest = limiter.restAfterFrame(clock);
        EXPECT_LE(rest, 1.0 / 60 + 1e-12);
        clock += rest > 0 ? rest + 0.0001 : 0.0;
    }
    EXPECT_GE(frames, 59);
    EXPECT_LE(frames, 61);
}
