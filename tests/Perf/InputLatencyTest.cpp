// How many frames pass from a steering key's event to the step that turns
// player 0, through the whole game on the headless window application: the
// bound the performance notes give for input latency (the next step, so at
// most one step interval, never less than one frame).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "HeadlessMatch.h"

namespace {

struct LatencyCase {
    const char* moveTime;
    double frameSeconds;
    int best;  // frames, over every phase of the step timer
    int worst; // frames
};

// The frames from the key's event to the turn, the key sent after the
// update of keyFrame.
int latency(const LatencyCase& c, int keyFrame)
{
    HeadlessMatch game(c.frameSeconds, std::string("MOVE_TIME == ") + c.moveTime + "\n",
                       {Game::HeadlessApp::Input::keyDown(0, HeadlessMatch::SPACE),
                        Game::HeadlessApp::Input::keyUp(1, HeadlessMatch::SPACE),
                        Game::HeadlessApp::Input::keyDown(keyFrame, HeadlessMatch::UP)},
                       keyFrame + 40);
    game.run();
    EXPECT_EQ(keyFrame, game.probe.keyFrame) << "the key came in another frame than scripted";
    EXPECT_GE(game.probe.turnFrame, 0) << "player 0 never turned";
    return game.probe.turnFrame - game.probe.keyFrame;
}

TEST(InputLatencyTest, TheNextStepUsesTheKeyWhateverThePhase)
{
    const LatencyCase cases[] = {
        {"60", 1.0 / 60.0, 1, 4}, // shipped: 16.7 ms frames, a step every 4th frame
        {"60", 0.020, 1, 4},      // the timer reaches exactly 0 after 3 frames: no step yet
        {"50", 0.020, 1, 3},      // 30, 10, -10: a step every 3rd frame
        {"0", 0.020, 1, 1},       // a step in every frame
    };
    for (const LatencyCase& c : cases) {
        SCOPED_TRACE(std::string("MOVE_TIME ") + c.moveTime + ", frame " +
                     std::to_string(c.frameSeconds) + " s");
        int best = 1 << 30;
        int worst = -1;
        // Two step intervals' worth of consecutive frames covers every phase.
        for (int keyFrame = 20; keyFrame < 28; ++keyFrame) {
            const int frames = latency(c, keyFrame);
            best = std::min(best, frames);
            worst = std::max(worst, frames);
        }
        EXPECT_EQ(c.best, best);
        EXPECT_EQ(c.worst, worst);
    }
}

TEST(InputLatencyTest, AKeyReleasedBeforeTheStepIsNotSeen)
{
    // Pressed and released within one step interval, between two steps:
    // the step reads the keys' state, not their events.
    HeadlessMatch game(0.020, "MOVE_TIME == 60\n",
                       {Game::HeadlessApp::Input::keyDown(0, HeadlessMatch::SPACE),
                        Game::HeadlessApp::Input::keyUp(1, HeadlessMatch::SPACE),
                        Game::HeadlessApp::Input::keyDown(20, HeadlessMatch::UP),
                        Game::HeadlessApp::Input::keyUp(20, HeadlessMatch::UP)},
                       60);
    game.run();
    EXPECT_EQ(20, game.probe.keyFrame);
    EXPECT_LT(game.probe.turnFrame, 0);
}

} // namespace
