#include <gtest/gtest.h>

#include <memory>

#include "Devices/Keyboard.h"
#include "Events/Event.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_EnterLeave.h"
#include "Events/Event_Key.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Update.h"
#include "Support/AllocationCounter.h"
#include "Support/EventRecorder.h"
#include "Util/BasicHashLink.h"
#include "Util/HashedItem.h"

namespace {

// Stands in for the game manager: consumes every per-frame event type and
// raises the frame's key input inside the render delivery, as a buffer swap
// does. Keeps no copies, which would allocate.
void becomeFrameConsumer(TestSupport::EventRecorder& manager)
{
    manager.keepEvents = false;
    manager.onEvent = [](EVT::I_Event* event) {
        if (event->type == EVT::RENDER) {
            EVT::Event_Key press(97, true, 1);
            EVT::EventBus::instance().raiseEvent(&press, false);
            EVT::Event_Key release(97, false, 1);
            EVT::EventBus::instance().raiseEvent(&release, false);
        }
    };
}

void runFrame(bool focusChanged)
{
    EVT::EventBus& bus = EVT::EventBus::instance();
    if (focusChanged) {
        EVT::Event_EnterLeave enter(true);
        bus.raiseEvent(&enter, false);
    }
    EVT::Event_PreUpdate pre(16.f);
    bus.raiseEvent(&pre, false);
    EVT::Event_Update update(16.f);
    bus.raiseEvent(&update, false);
    bus.raiseEvent(EVT::RENDER, false);
}

TEST(SteadyState, AFrameOfEventsAllocatesNothing)
{
    TestSupport::EventRecorder manager{EVT::ENTER_LEAVE, EVT::PRE_UPDATE, EVT::UPDATE, EVT::RENDER,
                                       EVT::KEY};
    becomeFrameConsumer(manager);
    Devices::Keyboard keyboard;
    keyboard.addKeyPressEvent(97, EVT::Event(2100));
    keyboard.addKeyReleaseEvent(Devices::Keyboard::CODE_SHIFT, EVT::Event(2101));
    runFrame(true); // warm-up

    const unsigned long before = TestSupport::allocationCount();
    for (int frame = 0; frame < 100; ++frame) {
        runFrame(frame % 2 == 0);
    }
    EXPECT_EQ(TestSupport::allocationCount() - before, 0u);
    EXPECT_EQ(manager.handled, 1 + 3 + 2 + 100 * 5 + 50);
}

TEST(SteadyState, ConsumersCostOnlyTheirOwnAllocationAfterWarmUp)
{
    using Item = Util::HashedItem<unsigned long>;
    auto& links = Util::BasicHashLink<Item>::instance();
    using Idle = TestSupport::EventRecorder; // made without types: allocates only itself
    delete new Idle();                       // warm-up
    const unsigned long linkCount = links.linkCount();
    const std::size_t itemChunks = Item::pool().chunkCount();
    const unsigned long before = TestSupport::allocationCount();
    for (int i = 0; i < 10000; ++i) {
        delete new Idle();
    }
    EXPECT_EQ(TestSupport::allocationCount() - before, 10000u)
        << "the id item and its table link are recycled, only the consumer is allocated";
    EXPECT_EQ(links.linkCount(), linkCount);
    EXPECT_EQ(Item::pool().chunkCount(), itemChunks);
}

} // namespace
