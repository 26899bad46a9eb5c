#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Game/TimerBase.h"
#include "Game/TimerManager.h"

namespace {

using Manager = Game::TimerBase::TimerManager;
using Log = std::vector<std::string>;

// Counts its firings, notes what it saw at each, and runs an optional
// action from inside onFire.
class CountingTimer : public Game::TimerBase {
public:
    explicit CountingTimer(std::string tag = "", Log* log = nullptr) : tag(tag), log(log) {}

    void onFire() override
    {
        ++fired;
        activeWhenFired = isActive();
        timePassedWhenFired = getTimePassed();
        if (log)
            log->push_back(tag);
        if (action)
            action();
    }

    std::string tag;
    Log* log;
    int fired = 0;
    bool activeWhenFired = false;
    float timePassedWhenFired = 0.0f;
    std::function<void()> action;
};

Manager& manager()
{
    return Manager::instance();
}

} // namespace

TEST(Timer, NewTimerIsInactiveAndUnlisted)
{
    CountingTimer timer;
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(timer.isPaused(), 0);
    EXPECT_EQ(timer.getTimeUntilFire(), 0.0f);
    EXPECT_EQ(timer.getRepeatDelay(), 0.0f);
    EXPECT_EQ(timer.getTimePassed(), 0.0f);
    EXPECT_FALSE(manager().isListed(&timer));
}

TEST(Timer, FiresWhenRemainingTimeReachesTheDelta)
{
    struct Case {
        const char* title;
        float delay, repeat;
        std::vector<float> deltas;
        std::vector<int> firedAfter; // cumulative count after each update
        float timeUntilFireAtEnd;
    };
    const Case cases[] = {
        {"one-shot over three updates", 100, 0, {40, 40, 40}, {0, 0, 1}, 0},
        {"exactly equal fires", 100, 0, {60, 40}, {0, 1}, 0},
        {"just short does not", 100, 0, {60, 39.5f}, {0, 0}, 0.5f},
        {"once per pass, overshoot dropped", 100, 50, {260, 49, 1}, {1, 1, 2}, 50},
        {"repeat keeps firing", 10, 10, {10, 10, 5, 5}, {1, 2, 2, 3}, 10},
        {"paused timers skip, zero delta", 5, 0, {0, 0, 5}, {0, 0, 1}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        CountingTimer timer;
        timer.start(c.delay, c.repeat);
        for (std::size_t i = 0; i < c.deltas.size(); ++i) {
            Game::TimerBase::onUpdate(c.deltas[i]);
            EXPECT_EQ(timer.fired, c.firedAfter[i]) << "after update " << i;
        }
        EXPECT_EQ(timer.getTimeUntilFire(), c.timeUntilFireAtEnd);
        EXPECT_EQ(timer.isActive(), c.repeat != 0 || c.timeUntilFireAtEnd != 0);
        EXPECT_EQ(manager().isListed(&timer), timer.isActive());
    }
}

TEST(Timer, OneShotIsInactiveInsideOnFireAndTimePassedResetsAfter)
{
    CountingTimer oneShot;
    CountingTimer repeating;
    oneShot.start(100, 0);
    repeating.start(100, 30);
    for (float delta : {40.0f, 40.0f, 40.0f})
        Game::TimerBase::onUpdate(delta);
    EXPECT_FALSE(oneShot.activeWhenFired);
    EXPECT_TRUE(repeating.activeWhenFired);
    EXPECT_EQ(oneShot.timePassedWhenFired, 120.0f);
    EXPECT_EQ(oneShot.getTimePassed(), 0.0f);
    EXPECT_EQ(repeating.getTimePassed(), 0.0f);
    EXPECT_EQ(repeating.getTimeUntilFire(), 30.0f);
}

TEST(Timer, StartWithZeroDelayOnlyResetsTimePassed)
{
    CountingTimer timer;
    timer.start(0, 10);
    EXPECT_FALSE(timer.isActive());
    EXPECT_FALSE(manager().isListed(&timer));

    timer.start(100, 20);
    Game::TimerBase::onUpdate(30);
    timer.start(0, 10);
    EXPECT_EQ(timer.getTimePassed(), 0.0f);
    EXPECT_EQ(timer.getTimeUntilFire(), 70.0f);
    EXPECT_EQ(timer.getRepeatDelay(), 20.0f);
}

TEST(Timer, RestartingInPlaceKeepsTheFiringOrder)
{
    Log log;
    CountingTimer a("a", &log), b("b", &log), c("c", &log);
    a.start(10, 0);
    b.start(10, 0);
    c.start(10, 0);
    a.pause();
    a.start(10, 0); // restart clears the pause and keeps a first in line
    EXPECT_EQ(a.isPaused(), 0);
    EXPECT_EQ(manager().count(), 3u);
    Game::TimerBase::onUpdate(10);
    EXPECT_EQ(log, (Log{"a", "b", "c"}));
}

TEST(Timer, PausesNestAndKeepTheRemainingTime)
{
    CountingTimer timer;
    EXPECT_EQ(timer.pause(), 0); // inactive: nothing to pause
    timer.start(50, 0);
    EXPECT_EQ(timer.pause(), 1);
    EXPECT_EQ(timer.pause(), 2);
    EXPECT_EQ(timer.resume(false), 1);
    Game::TimerBase::onUpdate(100);
    EXPECT_EQ(timer.fired, 0);
    EXPECT_EQ(timer.getTimeUntilFire(), 50.0f);
    EXPECT_TRUE(manager().isListed(&timer));

    timer.pause();
    timer.pause();
    EXPECT_EQ(timer.resume(true), 0);
    EXPECT_EQ(timer.resume(false), 0);
    Game::TimerBase::onUpdate(50);
    EXPECT_EQ(timer.fired, 1);
}

TEST(Timer, ManagerPauseAndResumeReachEveryListedTimer)
{
    CountingTimer a, b, idle;
    a.start(10, 0);
    b.start(10, 0);
    b.pause();
    Game::TimerBase::setPause(true);
    EXPECT_EQ(a.isPaused(), 1);
    EXPECT_EQ(b.isPaused(), 2);
    EXPECT_EQ(idle.isPaused(), 0);
    Game::TimerBase::setPause(false);
    EXPECT_EQ(a.isPaused(), 0);
    EXPECT_EQ(b.isPaused(), 1);
}

TEST(Timer, StopAndDestructionUnlist)
{
    CountingTimer kept;
    kept.start(10, 0);
    {
        CountingTimer dying;
        dying.start(10, 5);
        EXPECT_EQ(manager().count(), 2u);
    }
    EXPECT_EQ(manager().count(), 1u);
    kept.pause();
    kept.stop();
    EXPECT_FALSE(kept.isActive());
    EXPECT_EQ(kept.isPaused(), 0);
    EXPECT_EQ(manager().count(), 0u);
    kept.stop(); // stopping an inactive timer is harmless
    Game::TimerBase::onUpdate(100);
    EXPECT_EQ(kept.fired, 0);
}
