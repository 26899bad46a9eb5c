#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Game/TimerBase.h"
#include "Game/TimerManager.h"

namespace {

using Manager = Game::TimerBase::TimerManager;
using Log = std::vector<std::string>;

// Counts its firings, notes what it saw at each, and runs an optional
// action from inside onFire, where it may change the list the update pass
// walks (checked under AddressSanitizer in the sanitiser build).
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
    CountingTimer timer, other;
    EXPECT_EQ(timer.pause(), 0); // inactive: nothing to pause
    timer.start(50, 0);
    other.start(50, 0);
    EXPECT_EQ(timer.pause(), 1);
    Game::TimerBase::setPause(true); // every listed timer, one level more
    EXPECT_EQ(timer.isPaused(), 2);
    EXPECT_EQ(other.isPaused(), 1);
    Game::TimerBase::setPause(false);
    EXPECT_EQ(timer.isPaused(), 1);
    EXPECT_EQ(other.isPaused(), 0);
    Game::TimerBase::onUpdate(100);
    EXPECT_EQ(timer.fired, 0);
    EXPECT_EQ(timer.getTimeUntilFire(), 50.0f);
    EXPECT_EQ(other.fired, 1);

    timer.pause();
    EXPECT_EQ(timer.resume(true), 0);
    EXPECT_EQ(timer.resume(false), 0);
    Game::TimerBase::onUpdate(50);
    EXPECT_EQ(timer.fired, 1);
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

TEST(TimerFiring, OneShotRestartingItselfIsAdvancedAgainInTheSamePass)
{
    Log log;
    CountingTimer self("self", &log), after("after", &log), quick("quick", &log);
    self.action = [&] { self.start(100, 0); };
    quick.action = [&] { quick.start(5, 0); };
    self.start(10, 0);
    after.start(500, 0);
    quick.start(5, 0);
    Game::TimerBase::onUpdate(16);
    // Appended behind the others and reached again with the same delta.
    EXPECT_EQ(self.getTimeUntilFire(), 84.0f);
    EXPECT_EQ(self.getTimePassed(), 16.0f); // the second visit counts too
    // A restart shorter than the delta waits for the next pass: one firing
    // per pass, and no endless loop.
    EXPECT_EQ(log, (Log{"self", "quick"}));
    EXPECT_EQ(quick.getTimeUntilFire(), 5.0f);
    Game::TimerBase::onUpdate(16);
    EXPECT_EQ(log, (Log{"self", "quick", "quick"}));
}

TEST(TimerFiring, RepeatingTimerMayStopItself)
{
    Log log;
    CountingTimer self("self", &log);
    self.action = [&] { self.stop(); };
    self.start(10, 10);
    Game::TimerBase::onUpdate(10);
    Game::TimerBase::onUpdate(10);
    EXPECT_EQ(log, (Log{"self"}));
    EXPECT_FALSE(self.isActive());
    EXPECT_FALSE(manager().isListed(&self));
}

TEST(TimerFiring, StoppingOrDestroyingTheNextTimerSkipsIt)
{
    for (bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "destroy" : "stop");
        Log log;
        CountingTimer first("first", &log);
        auto next = std::make_unique<CountingTimer>("next", &log);
        CountingTimer last("last", &log);
        first.action = [&] {
            if (destroy)
                next.reset();
            else
                next->stop();
        };
        first.start(10, 0);
        next->start(10, 0);
        last.start(10, 0);
        Game::TimerBase::onUpdate(10);
        EXPECT_EQ(log, (Log{"first", "last"}));
        EXPECT_EQ(manager().count(), 0u);
    }
}

TEST(TimerFiring, TimerMayDestroyItselfOrAnEarlierOne)
{
    Log log;
    auto* self = new CountingTimer("self", &log);
    auto earlier = std::make_unique<CountingTimer>("earlier", &log);
    CountingTimer later("later", &log);
    earlier->start(1000, 0);
    self->start(10, 10);
    later.start(10, 0);
    self->action = [&] {
        earlier.reset();
        delete self;
    };
    Game::TimerBase::onUpdate(10);
    EXPECT_EQ(log, (Log{"self", "later"}));
    EXPECT_EQ(manager().count(), 0u);
}

TEST(TimerFiring, TimersStartedInOnFireJoinThePass)
{
    Log log;
    CountingTimer starter("starter", &log);
    CountingTimer quick("quick", &log);
    CountingTimer slow("slow", &log);
    starter.action = [&] {
        quick.start(10, 0);
        slow.start(100, 0);
    };
    starter.start(10, 0);
    Game::TimerBase::onUpdate(10);
    EXPECT_EQ(log, (Log{"starter", "quick"}));
    EXPECT_EQ(slow.getTimeUntilFire(), 90.0f);
    EXPECT_EQ(manager().count(), 1u);
}

TEST(TimerFiring, UpdateFromInsideOnFireIsIgnored)
{
    Log log;
    CountingTimer nesting("nesting", &log);
    CountingTimer other("other", &log);
    nesting.action = [&] { Game::TimerBase::onUpdate(1000); };
    nesting.start(10, 10);
    other.start(500, 0);
    Game::TimerBase::onUpdate(10);
    EXPECT_EQ(log, (Log{"nesting"}));
    EXPECT_EQ(other.getTimeUntilFire(), 490.0f);
}

TEST(TimerFiring, OneShotRestartedAfterPassesWithoutTimersFiresAgain)
{
    CountingTimer once;
    once.start(5, 0);
    Game::TimerBase::onUpdate(16);
    ASSERT_EQ(manager().count(), 0u);
    // Updates with no timer listed have nothing to advance.
    Game::TimerBase::onUpdate(16);
    Game::TimerBase::onUpdate(16);
    once.start(5, 0);
    Game::TimerBase::onUpdate(16);
    EXPECT_EQ(once.fired, 2);
    EXPECT_FALSE(once.isActive());
}
