#include <gtest/gtest.h>

#include <string>

#include "Game/GameManager.h"
#include "Game/LogicController.h"
#include "Game/TestWindowApp.h"
#include "Support/AllocationCounter.h"
#include "Support/StubView.h"

// The frame loop never waits, so every frame's cost counts: a frame in which the game does
// nothing must not allocate.

namespace {

class IdleState : public Game::I_LogicState {
public:
    void setPause(bool) override {}
    void onEnter(const std::string&, const std::string&) override {}
    std::string onUpdate(float) override { return std::string(); }
    void doExit(const std::string&) override {}
};

class IdleListener : public Game::I_GameUpdated, public Game::I_ScreenWatcher {
public:
    void onGameUpdated(const float&) override {}
    void onScreenSize(int, int) override {}
};

} // namespace

TEST(FrameAllocation, AFrameWithNothingToDoAllocatesNothing)
{
    Game::GameManager manager(800, 600, 60, 2);
    TestWindowApp app;
    Game::LogicController logic;
    logic.add("IDLE", new IdleState(), {});
    TestSupport::StubView view; // without a log: allocates nothing
    IdleListener listener;
    manager.setWindowApp(&app);
    manager.setLogicController(&logic);
    manager.getViewManager()->add(&view);
    manager.addGameUpdated(&listener);
    manager.addScreenWatcher(&listener);
    ASSERT_TRUE(app.initWindowApp());
    // The first frames settle what happens once: entering the first state, the view's
    // pending addition.
    for (int i = 0; i < 3; ++i) {
        app.frame(16.0f);
    }

    const unsigned long before = TestSupport::allocationCount();
    for (int i = 0; i < 100; ++i) {
        app.frame(i % 2 ? 16.0f : 40.0f); // drawn and skipped frames alike
    }
    EXPECT_EQ(TestSupport::allocationCount() - before, 0u);
    EXPECT_EQ(app.shows, 3 + 50); // both paths were taken
}
