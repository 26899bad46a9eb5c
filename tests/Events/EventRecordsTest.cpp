#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>
#include <vector>

#include "Events/Event.h"
#include "Events/EventType.h"
#include "Events/Event_EnterLeave.h"
#include "Events/Event_Joypad.h"
#include "Events/Event_Key.h"
#include "Events/Event_Mouse.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Screen.h"
#include "Events/Event_SetMouse.h"
#include "Events/Event_Update.h"

namespace {

using Fields = std::vector<double>;

// A record's clone must be a separate object of the same class with the same
// type number and payload, as the bus's queue relies on.
template <typename Record, typename FieldsOf>
void expectFaithfulClone(const Record& source, int type, FieldsOf fieldsOf)
{
    SCOPED_TRACE(typeid(Record).name());
    EXPECT_EQ(source.type, type);
    std::unique_ptr<EVT::I_Event> copy(source.clone());
    ASSERT_NE(copy.get(), &source);
    ASSERT_EQ(typeid(*copy), typeid(Record));
    const auto& same = static_cast<const Record&>(*copy);
    EXPECT_EQ(same.type, type);
    EXPECT_EQ(fieldsOf(same), fieldsOf(source));
}

TEST(EventRecords, ClonesKeepClassTypeNumberAndPayload)
{
    expectFaithfulClone(EVT::Event_Update(16.5f), 6, [](auto& e) { return Fields{e.delta}; });
    expectFaithfulClone(EVT::Event_PreUpdate(33.25f), 7, [](auto& e) { return Fields{e.delta}; });
    expectFaithfulClone(EVT::Event_Screen(640, 480), 9, [](auto& e) {
        return Fields{1. * e.width, 1. * e.height};
    });
    expectFaithfulClone(EVT::Event_SetMouse(-1, 300, 2), 10, [](auto& e) {
        return Fields{1. * e.getX(), 1. * e.getY(), 1. * e.getMode()};
    });
    expectFaithfulClone(EVT::Event_Mouse(10, 20, -3, 4, true), 11, [](auto& e) {
        return Fields{1. * e.x, 1. * e.y, 1. * e.wheelDelta, 1. * e.button, 1. * e.pressed};
    });
    expectFaithfulClone(EVT::Event_EnterLeave(false), 12,
                        [](auto& e) { return Fields{1. * e.active}; });
    // Shift and ctrl together are the bit set 5.
    expectFaithfulClone(EVT::Event_Key(200, false, 1 | 4), 13, [](auto& e) {
        return Fields{1. * e.key, 1. * e.pressed, 1. * e.modifiers};
    });
    expectFaithfulClone(EVT::Event_Joypad(15, -1, 1, true, false, false, true), 14, [](auto& e) {
        return Fields{1. * e.joystick,   1. * e.x,          1. * e.y,         1. * e.buttons[0],
                      1. * e.buttons[1], 1. * e.buttons[2], 1. * e.buttons[3]};
    });
    // A generic record is whatever its number says: 8 is a render event.
    expectFaithfulClone(EVT::Event(EVT::RENDER), 8, [](auto&) { return Fields{}; });
    expectFaithfulClone(EVT::Event(22), 22, [](auto&) { return Fields{}; });
}

} // namespace
