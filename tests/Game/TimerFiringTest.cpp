#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Game/TimerBase.h"
#include "Game/TimerManager.h"

// What a timer's onFire may do to the list while the update pass walks it.
// These run under AddressSanitizer in the sanitiser build.

namespace {

using Manager = Game::TimerBase::TimerManager;
using Log = std::vector<std::string>;

class ActionTimer : public Game::TimerBase {
public:
    ActionTimer(std::string tag, Log& log) : tag(tag), log(log) {}
    void onFire() override
    {
        log.push_back(tag);
        if (action)
            action();
    }
    std::string tag;
    Log& log;
    std::function<void()> action;
};

} // namespace

TEST(TimerFiring, OneShotRestartingItselfIsAdvancedAgainInTheSamePass)
{
    Log log;
    ActionTimer self("self", log);
    ActionTimer after("after", log);
    self.action = [&] { self.start(100, 0); };
    self.start(10, 0);
    after.start(500, 0);
    Game::TimerBase::onUpdate(16);
    // Appended behind "after" and reached again with the same delta.
    EXPECT_EQ(log, (Log{"self"}));
    EXPECT_EQ(self.getTimeUntilFire(), 84.0f);
    EXPECT_EQ(self.getTimePassed(), 16.0f); // the second visit counts too
    EXPECT_EQ(Manager::instance().count(), 2u);
}

TEST(TimerFiring, ShortRestartFiresOncePerPassAndNeverLoops)
{
    Log log;
    ActionTimer self("self", log);
    self.action = [&] { self.start(5, 0); };
    self.start(5, 0);
    Game::TimerBase::onUpdate(16);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_TRUE(self.isActive());
    Game::TimerBase::onUpdate(16);
    EXPECT_EQ(log.size(), 2u);
    self.action = nullptr;
    self.stop();
}

TEST(TimerFiring, RepeatingTimerMayStopItself)
{
    Log log;
    ActionTimer self("self", log);
    self.action = [&] { self.stop(); };
    self.start(10, 10);
    Game::TimerBase::onUpdate(10);
    Game::TimerBase::onUpdate(10);
    EXPECT_EQ(log, (Log{"self"}));
    EXPECT_FALSE(self.isActive());
    EXPECT_FALSE(Manager::instance().isListed(&self));
}

TEST(TimerFiring, StoppingOrDestroyingTheNextTimerSkipsIt)
{
    for (bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "destroy" : "stop");
        Log log;
        ActionTimer first("first", log);
        auto next = std::make_unique<ActionTimer>("next", log);
        ActionTimer last("last", log);
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
        EXPECT_EQ(Manager::instance().count(), 0u);
    }
}

TEST(TimerFiring, TimerMayDestroyItselfOrAnEarlierOne)
{
    Log log;
    auto* self = new ActionTimer("self", log);
    auto earlier = std::make_unique<ActionTimer>("earlier", log);
    ActionTimer later("later", log);
    earlier->start(1000, 0);
    self->start(10, 10);
    later.start(10, 0);
    self->action = [&] {
        earlier.reset();
        delete self;
    };
    Game::TimerBase::onUpdate(10);
    EXPECT_EQ(log, (Log{"self", "later"}));
    EXPECT_EQ(Manager::instance().count(), 0u);
}

TEST(TimerFiring, TimersStartedInOnFireJoinThePass)
{
    Log log;
    ActionTimer starter("starter", log);
    ActionTimer quick("quick", log);
    ActionTimer slow("slow", log);
    starter.action = [&] {
        quick.start(10, 0);
        slow.start(100, 0);
    };
    starter.start(10, 0);
    Game::TimerBase::onUpdate(10);
    EXPECT_EQ(log, (Log{"starter", "quick"}));
    EXPECT_EQ(slow.getTimeUntilFire(), 90.0f);
    EXPECT_EQ(Manager::instance().count(), 1u);
    slow.stop();
}

TEST(TimerFiring, UpdateFromInsideOnFireIsIgnored)
{
    Log log;
    ActionTimer nesting("nesting", log);
    ActionTimer other("other", log);
    nesting.action = [&] { Game::TimerBase::onUpdate(1000); };
    nesting.start(10, 10);
    other.start(500, 0);
    Game::TimerBase::onUpdate(10);
    EXPECT_EQ(log, (Log{"nesting"}));
    EXPECT_EQ(other.getTimeUntilFire(), 490.0f);
    nesting.stop();
    other.stop();
}
