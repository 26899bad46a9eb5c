#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Events/EventBus.h"
#include "Events/Event_Key.h"
#include "Support/EventRecorder.h"

namespace {

using Log = std::vector<std::string>;
using TestSupport::EventRecorder;

EVT::EventBus& bus()
{
    return EVT::EventBus::instance();
}

// Type numbers of their own, so tests never meet each other's consumers.
constexpr int T1 = 1001, T2 = 1002, T3 = 1003, T4 = 1004;

TEST(EventBus, DeliversOncePerConsumerInRegistrationOrderIncludingLateComers)
{
    Log log;
    EventRecorder a("A", log), b("B", log), c("C", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T1, &b);
    bus().addConsumer(T1, &a);
    a.onEvent = [&](EVT::I_Event*) { bus().addConsumer(T1, &c); };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1001", "C:1001"}));
    EXPECT_EQ(bus().consumerCount(T1), 3u);
}

TEST(EventBus, UnregisteringDuringDeliverySkipsAtOnceAndErasesAtTheOutermostEnd)
{
    Log log;
    EventRecorder a("A", log), b("B", log), c("C", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T1, &b);
    bus().addConsumer(T2, &c);
    c.onEvent = [&](EVT::I_Event*) { bus().removeConsumer(T1, &b); };
    a.onEvent = [&](EVT::I_Event*) {
        bus().raiseEvent(T2, false); // nested: C unregisters B
        EXPECT_EQ(bus().consumerCount(T1), 2u) << "nothing is erased while delivering";
        EXPECT_EQ(bus().pendingCount(T1), 1u);
    };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "C:1002"}));
    EXPECT_EQ(bus().consumerCount(T1), 1u);
    EXPECT_EQ(bus().pendingCount(T1), 0u);
}

TEST(EventBus, RegisteringAgainCancelsPendingUnregistrations)
{
    Log log;
    EventRecorder a("A", log), b("B", log), late("L", log), stranger("S", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T1, &b);
    a.onEvent = [&](EVT::I_Event*) {
        bus().removeConsumer(T1, &a);
        bus().removeConsumer(T1, &a);
        bus().addConsumer(T1, &a);       // keeps its old place
        bus().removeConsumer(T1, &late); // not registered yet
        bus().addConsumer(T1, &late);    // the later request wins
        EXPECT_EQ(bus().pendingCount(T1), 0u);
        a.onEvent = nullptr;
    };
    bus().raiseEvent(T1, false);
    log.clear();
    bus().removeConsumer(T1, &stranger); // outside a delivery: nothing at all
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1001", "L:1001"}));
}

TEST(EventBus, RemoveConsumerCoversEveryTypeItRegisteredForAndNoOther)
{
    Log log;
    EventRecorder a("A", log), b("B", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T2, &a);
    bus().addConsumer(T1, &b);
    bus().addConsumer(T3, &b);
    bus().removeConsumer(&a);
    for (int type : {T1, T2, T3}) {
        bus().raiseEvent(type, false);
    }
    EXPECT_EQ(log, (Log{"B:1001", "B:1003"}));
}

TEST(EventBus, QueueIfBusyWaitsForTheOutermostDeliveryUnlessIdle)
{
    Log log;
    EventRecorder a("A", log), b("B", log), c("C", log), quit("Q", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T1, &b);
    bus().addConsumer(T3, &c);
    bus().addConsumer(1, &quit);
    struct Case {
        const char* name;
        std::function<void()> raise;
        Log expected;
    };
    const Case cases[] = {
        {"queued", [] { bus().raiseEvent(1, true); }, {"A:1001", "B:1001", "Q:1"}},
        {"at once, nested", [] { bus().raiseEvent(1, false); }, {"A:1001", "Q:1", "B:1001"}},
        {"queued behind events raised at once meanwhile",
         [] {
             bus().raiseEvent(1, true);
             bus().raiseEvent(T3, false);
         },
         {"A:1001", "C:1003", "B:1001", "Q:1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        a.onEvent = [&](EVT::I_Event*) { c.raise(); };
        bus().raiseEvent(T1, false);
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(bus().queuedCount(), 0u);
    }
    log.clear();
    bus().raiseEvent(1, true);
    EXPECT_EQ(log, (Log{"Q:1"})) << "nothing delivering: at once";
}

TEST(EventBus, EventQueuedDuringTheDrainWaitsForTheNextOutermostDelivery)
{
    Log log;
    EventRecorder a("A", log), b("B", log), c("C", log), d("D", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(T2, &b);
    bus().addConsumer(T3, &c);
    bus().addConsumer(T4, &d);
    a.onEvent = [&](EVT::I_Event*) { bus().raiseEvent(T2, true); };
    b.onEvent = [&](EVT::I_Event*) { bus().raiseEvent(T3, true); };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1002"}));
    EXPECT_EQ(bus().queuedCount(), 1u);
    bus().raiseEvent(T4, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1002", "D:1004", "C:1003"}));
}

TEST(EventBus, QueuedEventIsACloneThatOutlivesTheRaisersRecord)
{
    Log log;
    EventRecorder a("A", log), keys("K", log);
    bus().addConsumer(T1, &a);
    bus().addConsumer(13, &keys);
    std::vector<int> seen;
    keys.onEvent = [&](EVT::I_Event* event) {
        auto* key = dynamic_cast<EVT::Event_Key*>(event);
        ASSERT_NE(key, nullptr);
        seen = {key->key, key->pressed, key->modifiers};
    };
    a.onEvent = [&](EVT::I_Event*) {
        EVT::Event_Key local(97, true, 5);
        bus().raiseEvent(&local, true);
    };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(seen, (std::vector<int>{97, 1, 5}));
}

// Run under AddressSanitizer: a destroyed consumer must never be touched.
TEST(EventBus, ConsumerDestroyedInItsOwnHandlerIsNeverCalledAgain)
{
    Log log;
    auto* a = new EventRecorder("A", log);
    EventRecorder b("B", log);
    bus().addConsumer(T1, a);
    bus().addConsumer(T2, a);
    bus().addConsumer(T1, &b);
    a->onEvent = [&](EVT::I_Event*) {
        bus().raiseEvent(T2, true); // still pending when A is gone
        delete a;
    };
    b.onEvent = [&](EVT::I_Event*) { bus().raiseEvent(T2, false); };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"A:1001", "B:1001"}));
    EXPECT_EQ(bus().consumerCount(T1), 1u);
    EXPECT_EQ(bus().consumerCount(T2), 0u);
}

TEST(EventBus, ConsumerDestroyedDuringTheDrainStaysSkippedUntilErased)
{
    Log log;
    EventRecorder trigger("T", log);
    auto* victim = new EventRecorder("V", log);
    bus().addConsumer(T1, &trigger);
    bus().addConsumer(T2, victim);
    trigger.onEvent = [&](EVT::I_Event*) {
        bus().raiseEvent(T2, true);
        bus().raiseEvent(T2, true);
    };
    victim->onEvent = [&](EVT::I_Event*) { delete victim; };
    bus().raiseEvent(T1, false);
    EXPECT_EQ(log, (Log{"T:1001", "V:1002"}));
    EXPECT_EQ(bus().pendingCount(T2), 1u) << "removals from the drain wait for the next end";
    bus().raiseEvent(T2, false);
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(bus().consumerCount(T2), 0u);
}

// Small type numbers take a different road through the bus than large or
// negative ones; registration, delivery and removal must not tell them apart.
TEST(EventBus, EveryTypeNumberIsRegisteredDeliveredAndRemovedAlike)
{
    const int types[] = {0, 2, 63, 64, 65, -1, -64, INT_MIN, INT_MAX, 100000};
    Log log;
    std::vector<std::unique_ptr<EventRecorder>> owners;
    for (int type : types) {
        owners.push_back(std::make_unique<EventRecorder>("R", log));
        bus().addConsumer(type, owners.back().get());
        bus().addConsumer(type, owners.back().get());
    }
    for (std::size_t i = 0; i < owners.size(); ++i) {
        const int type = types[i];
        SCOPED_TRACE(type);
        EventRecorder& own = *owners[i];
        EXPECT_EQ(bus().consumerCount(type), 1u);
        log.clear();
        bus().raiseEvent(type, false);
        EXPECT_EQ(log, (Log{"R:" + std::to_string(type)})) << "its own consumer, once";

        // Unregistered from inside its own delivery: skipped at once, erased at the end.
        own.onEvent = [&own, type](EVT::I_Event*) {
            bus().removeConsumer(type, &own);
            bus().raiseEvent(type, false);
        };
        log.clear();
        bus().raiseEvent(type, false);
        EXPECT_EQ(log.size(), 1u);
        EXPECT_EQ(bus().consumerCount(type), 0u);
        EXPECT_EQ(bus().pendingCount(type), 0u);
        own.onEvent = nullptr;
        bus().raiseEvent(type, false);
        EXPECT_EQ(log.size(), 1u);
    }
}

} // namespace
