#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Events/EventBus.h"
#include "Events/Event_Key.h"
#include "Events/I_EventConsumer.h"

namespace {

using Log = std::vector<std::string>;

// A consumer that logs "name:type" for each event it receives and then runs
// an optional action (which may register, unregister, raise or destroy).
class Recorder : public EVT::I_EventConsumer {
public:
    Recorder(std::string recorderName, Log& sharedLog)
        : name(std::move(recorderName)), log(sharedLog)
    {
    }

    void handleEvent(EVT::I_Event* event) override
    {
        log.push_back(name + ":" + std::to_string(event->type));
        if (action) {
            // The action may destroy this object: run a copy.
            std::function<void(EVT::I_Event*)> run = action;
            run(event);
        }
    }

    std::string name;
    Log& log;
    std::function<void(EVT::I_Event*)> action;
};

EVT::EventBus& bus()
{
    return EVT::EventBus::instance();
}

// Type numbers of their own, so tests never meet each other's consumers.
constexpr int T1 = 1001;
constexpr int T2 = 1002;
constexpr int T3 = 1003;

TEST(EventBus, DeliversInRegistrationOrderAndRegistersOncePerType)
{
    Log log;
    Recorder a("A", log), b("B", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T1, &b);
    bus().addConsumer(T1, &a);
    EXPECT_EQ(bus().consumerCount(T1), 2u);

    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1001"}));

    log.clear();
    bus().raiseEvent(T2, false);
    EXPECT_TRUE(log.empty()) << "nobody consumes this type";
}

TEST(EventBus, UnregisteringAnotherDuringDeliveryIsDeferredToTheOutermostEnd)
{
    Log log;
    Recorder a("A", log), b("B", log), c("C", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T1, &b);
    bus().addConsumer(T2, &c);
    c.action = [&](EVT::I_Event*) { bus().removeConsumer(T1, &b); };
    a.action = [&](EVT::I_Event*) {
        bus().raiseEvent(T2, false); // nested delivery: C unregisters B
        EXPECT_EQ(bus().consumerCount(T1), 2u) << "nothing is erased while delivering";
        EXPECT_EQ(bus().pendingCount(T1), 1u);
    };

    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "C:1002"})) << "B was unregistered before its turn";
    EXPECT_EQ(bus().consumerCount(T1), 1u);
    EXPECT_EQ(bus().pendingCount(T1), 0u);
}

TEST(EventBus, ReRegisteringDuringDeliveryCancelsThePendingRemoval)
{
    Log log;
    Recorder a("A", log), b("B", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T1, &b);
    a.action = [&](EVT::I_Event*) {
        bus().removeConsumer(T1, &a);
        bus().removeConsumer(T1, &a); // duplicates are cancelled too
        bus().addConsumer(T1, &a);
        EXPECT_EQ(bus().pendingCount(T1), 0u);
        a.action = nullptr;
    };
    bus().raiseEvent(T1, false);
    log.clear();
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1001"})) << "A keeps its old place";
}

TEST(EventBus, UnregisterThenRegisterOfANewConsumerLeavesItRegistered)
{
    Log log;
    Recorder a("A", log), late("L", log);
    bus().addConsumer(T1, &a);
    a.action = [&](EVT::I_Event*) {
        bus().removeConsumer(T1, &late); // not registered: only a pending entry
        bus().addConsumer(T1, &late);
        a.action = nullptr;
    };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "L:1001"}));
    EXPECT_EQ(bus().consumerCount(T1), 2u) << "the later registration wins";

    // Outside a delivery, removing an unregistered consumer does nothing.
    Recorder stranger("S", log);
    bus().removeConsumer(T1, &stranger);
    EXPECT_EQ(bus().consumerCount(T1), 2u);
    EXPECT_EQ(bus().pendingCount(T1), 0u);
}

TEST(EventBus, ConsumerRegisteredDuringDeliveryGetsTheSameEventLast)
{
    Log log;
    Recorder a("A", log), b("B", log), c("C", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T1, &b);
    a.action = [&](EVT::I_Event*) { bus().addConsumer(T1, &c); };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1001", "C:1001"}));
}

TEST(EventBus, RemoveConsumerCoversEveryTypeItRegisteredForAndNoOther)
{
    Log log;
    Recorder a("A", log), b("B", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T2, &a);
    bus().addConsumer(T1, &b);
    bus().addConsumer(T3, &b);
    bus().removeConsumer(&a);
    EXPECT_EQ(bus().consumerCount(T1), 1u);
    EXPECT_EQ(bus().consumerCount(T2), 0u);
    EXPECT_EQ(bus().consumerCount(T3), 1u);
    bus().raiseEvent(T1, false);
    bus().raiseEvent(T2, false);
    bus().raiseEvent(T3, false);
    EXPECT_EQ(log, (Log{"B:1001", "B:1003"}));
}

TEST(EventBus, QueueIfBusyDefersToTheEndOfTheOutermostDelivery)
{
    Log log;
    Recorder a("A", log), b("B", log), quit("Q", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T1, &b);
    bus().addConsumer(1, &quit);

    struct Case {
        const char* name;
        bool queue;
        Log expected;
    };
    const Case cases[] = {
        {"queued", true, {"A:1001", "B:1001", "Q:1"}},
        {"nested at once", false, {"A:1001", "Q:1", "B:1001"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        a.action = [&](EVT::I_Event*) { bus().raiseEvent(1, c.queue); };
        bus().raiseEvent(T1, false);
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(bus().queuedCount(), 0u);
    }

    log.clear();
    bus().raiseEvent(1, true);
    EXPECT_EQ(log, (Log{"Q:1"})) << "queue-if-busy while idle delivers at once";
}

TEST(EventBus, QueuedEventComesAfterEventsRaisedAtOnceInTheMeantime)
{
    Log log;
    Recorder a("A", log), b("B", log), c("C", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T2, &b);
    bus().addConsumer(T3, &c);
    a.action = [&](EVT::I_Event*) {
        bus().raiseEvent(T2, true);
        bus().raiseEvent(T3, false);
    };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "C:1003", "B:1002"}));
}

TEST(EventBus, EventQueuedDuringTheDrainWaitsForTheNextOutermostDelivery)
{
    Log log;
    Recorder a("A", log), b("B", log), c("C", log), d("D", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T2, &b);
    bus().addConsumer(T3, &c);
    bus().addConsumer(1004, &d);
    a.action = [&](EVT::I_Event*) { bus().raiseEvent(T2, true); };
    b.action = [&](EVT::I_Event*) { bus().raiseEvent(T3, true); };

    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1002"}));
    EXPECT_EQ(bus().queuedCount(), 1u);

    log.clear();
    bus().raiseEvent(1004, false);
    EXPECT_EQ(log, (Log{"D:1004", "C:1003"}));
    EXPECT_EQ(bus().queuedCount(), 0u);
}

TEST(EventBus, QueuedEventIsACloneOfTheRaisersRecord)
{
    Log log;
    Recorder a("A", log), keys("K", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(13, &keys);
    std::vector<int> seen;
    keys.action = [&](EVT::I_Event* event) {
        auto* key = dynamic_cast<EVT::Event_Key*>(event);
        ASSERT_NE(key, nullptr) << "the queued record keeps its class";
        seen = {key->key, key->pressed, key->modifiers};
    };
    a.action = [&](EVT::I_Event*) {
        EVT::Event_Key local(97, true, 5); // gone before the queue is drained
        bus().raiseEvent(&local, true);
    };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(seen, (std::vector<int>{97, 1, 5}));
}

TEST(EventBus, ConsumerDestroyedInItsOwnHandlerIsNeverCalledAgain)
{
    Log log;
    auto* a = new Recorder("A", log);
    Recorder b("B", log);
    bus().addConsumer(T1, a);
    bus().addConsumer(T2, a);
    bus().addConsumer(T1, &b);
    a->action = [&](EVT::I_Event*) {
        bus().raiseEvent(T2, true); // queued while A is still alive
        delete a;
    };
    b.action = [&](EVT::I_Event*) { bus().raiseEvent(T2, false); }; // nested: A skipped

    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1001"}));
    EXPECT_EQ(bus().consumerCount(T1), 1u);
    EXPECT_EQ(bus().consumerCount(T2), 0u);
    EXPECT_EQ(bus().pendingCount(T1), 0u);
}

TEST(EventBus, ConsumerDestroyedDuringTheDrainStaysSkippedUntilErased)
{
    Log log;
    Recorder trigger("T", log), other("O", log);
    auto* victim = new Recorder("V", log);
    bus().addConsumer(T1, &trigger);
    bus().addConsumer(T2, victim);
    bus().addConsumer(T3, &other);
    trigger.action = [&](EVT::I_Event*) {
        bus().raiseEvent(T2, true);
        bus().raiseEvent(T2, true);
    };
    victim->action = [&](EVT::I_Event*) { delete victim; };

    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"T:1001", "V:1002"})) << "the second queued event skips the dead one";
    EXPECT_EQ(bus().pendingCount(T2), 1u) << "removals from the drain wait for the next end";

    log.clear();
    bus().raiseEvent(T2, false);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(bus().consumerCount(T2), 0u);
    EXPECT_EQ(bus().pendingCount(T2), 0u);
}

} // namespace
