#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Events/Event.h"
#include "Events/EventBus.h"
#include "Events/Event_Key.h"
#include "Support/EventRecorder.h"

namespace {

using Log = std::vector<int>;
using K = Devices::Keyboard;
using TestSupport::EventRecorder;

void sendKey(unsigned char key, bool pressed, int modifiers)
{
    EVT::Event_Key event(key, pressed, modifiers);
    EVT::EventBus::instance().raiseEvent(&event, false);
}

void storeEvents(K& keyboard, unsigned char key, int pressType, int releaseType)
{
    keyboard.addKeyPressEvent(key, EVT::Event(pressType));
    keyboard.addKeyReleaseEvent(key, EVT::Event(releaseType));
}

TEST(Keyboard, OnlyRealTransitionsRaiseTheStoredEventsAtOnce)
{
    K keyboard;
    EventRecorder listener{2001, 2002};
    bool downWhenHandled = false;
    listener.onEvent = [&](EVT::I_Event*) { downWhenHandled = keyboard.keyDown[97]; };
    storeEvents(keyboard, 97, 2001, 2002);
    struct Step {
        const char* what;
        bool pressed;
        Log raised;
    };
    const Step steps[] = {
        {"release of a key never pressed", false, {}},
        {"press", true, {2001}},
        {"second press without release", true, {}},
        {"release", false, {2002}},
        {"second release", false, {}},
        {"press again: the device kept its copy", true, {2001}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        listener.events.clear();
        sendKey(97, step.pressed, 0);
        EXPECT_EQ(keyboard.keyDown[97], step.pressed);
        EXPECT_EQ(listener.types(), step.raised);
        if (!step.raised.empty()) {
            EXPECT_EQ(downWhenHandled, step.pressed) << "raised after the state changed";
        }
    }
    keyboard.doKey(97, false);
    EXPECT_EQ(listener.types().back(), 2002) << "doKey is the same transition";
}

TEST(Keyboard, AppliesTheKeyThenShiftAltCtrlInThatOrder)
{
    K keyboard;
    EventRecorder listener{3000, 3001, 3002, 3003, 3004, 3005, 3006, 3007};
    storeEvents(keyboard, 65, 3000, 3001);
    storeEvents(keyboard, K::CODE_SHIFT, 3002, 3003);
    storeEvents(keyboard, K::CODE_ALT, 3004, 3005);
    storeEvents(keyboard, K::CODE_CTRL, 3006, 3007);
    keyboard.doKey(K::CODE_ALT, true);
    EXPECT_FALSE(keyboard.keyDown[K::CODE_SHIFT]) << "doKey leaves the other codes alone";
    listener.events.clear();

    sendKey(65, true, K::MOD_SHIFT | K::MOD_CTRL);
    EXPECT_EQ(listener.types(), (Log{3000, 3002, 3005, 3006}));
    EXPECT_TRUE(keyboard.keyDown[1]);
    EXPECT_FALSE(keyboard.keyDown[2]);
    EXPECT_TRUE(keyboard.keyDown[3]);
}

TEST(Keyboard, ReleaseCarryingThePressModifiersKeepsThemDown)
{
    K keyboard;
    sendKey(97, true, K::MOD_SHIFT);
    sendKey(97, false, K::MOD_SHIFT); // shift was let go first
    EXPECT_TRUE(keyboard.keyDown[1]);
    sendKey(98, true, K::MOD_NONE);
    EXPECT_FALSE(keyboard.keyDown[1]);
}

TEST(Keyboard, ResetReleasesEverythingSilentlyAndForgetsStoredEvents)
{
    K keyboard;
    EventRecorder listener{2020, 2021};
    storeEvents(keyboard, 120, 2020, 2021);
    sendKey(120, true, K::MOD_CTRL);
    listener.events.clear();
    keyboard.reset();
    for (int k = 0; k < K::KEY_COUNT; ++k) {
        ASSERT_FALSE(keyboard.keyDown[k]) << k;
    }
    sendKey(120, false, K::MOD_CTRL);
    sendKey(120, true, 0);
    EXPECT_TRUE(listener.events.empty());

    // A record that only borrows the key type number has no key to read.
    EVT::EventBus::instance().raiseEvent(13, false);
    EXPECT_FALSE(keyboard.keyDown[0]);
}

// Run under AddressSanitizer: the stored record must stay valid for the rest
// of its delivery when its handler replaces or resets it.
TEST(Keyboard, StoredEventChangedDuringItsOwnDeliveryStaysValid)
{
    K keyboard;
    EventRecorder::Log log;
    EventRecorder first("first", log, {2030}), second("second", log, {2030, 2031});
    struct Case {
        const char* name;
        bool press;
        std::function<void()> change;
        EventRecorder::Log nextTime;
    };
    const Case cases[] = {
        {"press replaced",
         true,
         [&] { keyboard.addKeyPressEvent(50, EVT::Event(2031)); },
         {"second:2031"}},
        {"release replaced",
         false,
         [&] { keyboard.addKeyReleaseEvent(50, EVT::Event(2031)); },
         {"second:2031"}},
        {"reset", true, [&] { keyboard.reset(); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keyboard.reset();
        keyboard.doKey(50, !c.press);
        if (c.press) {
            keyboard.addKeyPressEvent(50, EVT::Event(2030));
        } else {
            keyboard.addKeyReleaseEvent(50, EVT::Event(2030));
        }
        first.onEvent = [&](EVT::I_Event*) { c.change(); };
        second.onEvent = [&](EVT::I_Event* event) {
            log.push_back("-" + std::to_string(event->type));
        };
        log.clear();
        keyboard.doKey(50, c.press);
        first.onEvent = second.onEvent = nullptr;
        EXPECT_EQ(log, (EventRecorder::Log{"first:2030", "second:2030", "-2030"}));
        log.clear();
        keyboard.doKey(50, !c.press);
        keyboard.doKey(50, c.press);
        EXPECT_EQ(log, c.nextTime);
    }
}

TEST(Devices, RegistryHoldsTheInstalledKeyboardOnly)
{
    EXPECT_EQ(Devices::getScreen(), nullptr);
    EXPECT_EQ(Devices::getMouse(), nullptr);
    EXPECT_EQ(Devices::getJoypad(), nullptr);
    K keyboard;
    Devices::setKeyboard(&keyboard);
    EXPECT_EQ(Devices::getKeyboard(), &keyboard);
    Devices::setKeyboard(nullptr);
}

} // namespace
