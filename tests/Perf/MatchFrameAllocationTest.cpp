// The frame loop never waits, so every frame of a running match counts. A
// frame of the whole game (events, game manager, timers, logic controller,
// match state with its steps, arena view's blink) allocates nothing of its
// own once the match is under way. The one allocation it may make is the
// standard library's inside a float setting's conversion (its float
// extraction reserves a scratch string), and the rules ask for such a read
// after every step ("MOVE_TIME") and at every blink change ("FLASH_TIME").
// Only a match's end and the next start may allocate more.

#include <gtest/gtest.h>

#include <string>

#include "CFG/CFG.h"
#include "CFG/InfoParser.h"
#include "HeadlessMatch.h"
#include "Support/AllocationCounter.h"
#include "app/MainView.h"

namespace {

// Between two consecutive frames' probes, where the match ran through both
// (no result yet at either end), from the second match on (the first one
// makes what lasts for the whole run, its random generators for one): the
// allocations, the steps and the blink changes.
class AllocationProbe : public Game::I_GameUpdated {
public:
    explicit AllocationProbe(Tool::MainLogic* match) : match(match) {}

    void onGameUpdated(const float& delta) override
    {
        const unsigned long now = TestSupport::allocationCount();
        const bool running = match->getView() != nullptr && match->getResult().empty();
        settled = settled || !match->getResult().empty();
        if (running && wasRunning && settled) {
            allocations += now - last;
            // The same float arithmetic as the match's: a step comes when
            // the timer falls below 0.
            float timer = lastTimer;
            timer -= delta;
            steps += timer < 0 ? 1 : 0;
            blinks += match->getView()->isFlashOn() != lastFlash ? 1 : 0;
            ++framesCounted;
        }
        wasRunning = running;
        if (running) {
            lastTimer = match->getStepTimer();
            lastFlash = match->getView()->isFlashOn();
        }
        // Read again: the probe's own work above must not count.
        last = TestSupport::allocationCount();
    }

    Tool::MainLogic* match;
    bool settled = false;
    bool wasRunning = false;
    unsigned long last = 0;
    float lastTimer = 0;
    bool lastFlash = false;
    unsigned long allocations = 0;
    unsigned long steps = 0;
    unsigned long blinks = 0;
    int framesCounted = 0;
};

// What one float setting's read allocates in this standard library.
unsigned long allocationsPerFloatRead()
{
    const unsigned long before = TestSupport::allocationCount();
    const float value = CFG::parser()->getNumber<float>("MOVE_TIME");
    const unsigned long after = TestSupport::allocationCount();
    EXPECT_GE(value, 0.0f);
    return after - before;
}

TEST(MatchFrameAllocationTest, FramesOfARunningMatchAllocateOnlyForTheirSettingsReads)
{
    struct Case {
        const char* settings;
        const char* what;
    };
    const Case cases[] = {
        {"MOVE_TIME == 60\n", "a step every 4th frame"},
        {"MOVE_TIME == 0\nTURN_CHANCE == 50\n", "a step and computer decisions every frame"},
        {"MOVE_TIME == 100\nFLASH_TIME == 0\n", "the heads blinking every frame"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Space held: every match ends straight into the next.
        HeadlessMatch game(1.0 / 60.0, c.settings,
                           {Game::HeadlessApp::Input::keyDown(0, HeadlessMatch::SPACE)}, 3000);
        AllocationProbe probe(game.match);
        game.manager.addGameUpdated(&probe);
        game.run();
        game.manager.removeGameUpdated(&probe);
        ASSERT_GT(probe.framesCounted, 500);
        EXPECT_GT(probe.steps + probe.blinks, 100u);
        EXPECT_EQ((probe.steps + probe.blinks) * allocationsPerFloatRead(), probe.allocations)
            << probe.steps << " steps, " << probe.blinks << " blink changes";
    }
}

} // namespace
