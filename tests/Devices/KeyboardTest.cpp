#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Events/Event.h"
#include "Events/EventBus.h"
#include "Events/Event_Key.h"
#include "Events/I_EventConsumer.h"

namespace {

using Log = std::vector<std::string>;

// Logs the type numbers of the stored events the keyboard raises.
class Listener : public EVT::I_EventConsumer {
public:
    explicit Listener(Log& sharedLog) : log(sharedLog) {}

    void listen(int type) { EVT::EventBus::instance().addConsumer(type, this); }

    void handleEvent(EVT::I_Event* event) override
    {
        log.push_back(std::to_string(event->type));
        if (action) {
            action(event);
        }
    }

    Log& log;
    std::function<void(EVT::I_Event*)> action;
};

void sendKey(unsigned char key, bool pressed, int modifiers)
{
    EVT::Event_Key event(key, pressed, modifiers);
    EVT::EventBus::instance().raiseEvent(&event, false);
}

// Press and release events of their own type numbers for one key code.
void storeEvents(Devices::Keyboard& keyboard, unsigned char key, int pressType, int releaseType)
{
    keyboard.addKeyPressEvent(key, EVT::Event(pressType));
    keyboard.addKeyReleaseEvent(key, EVT::Event(releaseType));
}

TEST(Keyboard, OnlyRealTransitionsRaiseTheStoredEvents)
{
    Devices::Keyboard keyboard;
    Log log;
    Listener listener(log);
    listener.listen(2001);
    listener.listen(2002);
    storeEvents(keyboard, 97, 2001, 2002);

    struct Step {
        const char* what;
        bool pressed;
        bool down;
        Log raised;
    };
    const Step steps[] = {
        {"release of a key never pressed", false, false, {}},
        {"first press", true, true, {"2001"}},
        {"second press without release", true, true, {}},
        {"release", false, false, {"2002"}},
        {"second release", false, false, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        log.clear();
        sendKey(97, step.pressed, 0);
        EXPECT_EQ(keyboard.keyDown[97], step.down);
        EXPECT_EQ(log, step.raised);
    }
}

TEST(Keyboard, AppliesTheKeyThenShiftAltCtrlInThatOrder)
{
    Devices::Keyboard keyboard;
    Log log;
    Listener listener(log);
    for (int type = 3000; type < 3008; ++type) {
        listener.listen(type);
    }
    storeEvents(keyboard, 65, 3000, 3001);
    storeEvents(keyboard, Devices::Keyboard::CODE_SHIFT, 3002, 3003);
    storeEvents(keyboard, Devices::Keyboard::CODE_ALT, 3004, 3005);
    storeEvents(keyboard, Devices::Keyboard::CODE_CTRL, 3006, 3007);

    keyboard.doKey(Devices::Keyboard::CODE_ALT, true); // alt down, shift up
    log.clear();
    sendKey(65, true, Devices::Keyboard::MOD_SHIFT | Devices::Keyboard::MOD_CTRL);
    EXPECT_EQ(log, (Log{"3000", "3002", "3005", "3006"}));
    EXPECT_TRUE(keyboard.keyDown[1]);
    EXPECT_FALSE(keyboard.keyDown[2]);
    EXPECT_TRUE(keyboard.keyDown[3]);
}

TEST(Keyboard, ReleaseCarriesTheModifiersOfItsPress)
{
    Devices::Keyboard keyboard;
    sendKey(97, true, Devices::Keyboard::MOD_SHIFT);
    // Shift was let go before the letter, but the release still says shift.
    sendKey(97, false, Devices::Keyboard::MOD_SHIFT);
    EXPECT_FALSE(keyboard.keyDown[97]);
    EXPECT_TRUE(keyboard.keyDown[1]) << "shift stays down until a key event without it";
    sendKey(98, true, Devices::Keyboard::MOD_NONE);
    EXPECT_FALSE(keyboard.keyDown[1]);
    EXPECT_TRUE(keyboard.keyDown[98]);
}

TEST(Keyboard, StoredEventIsHandledBeforeTheTransitionReturns)
{
    Devices::Keyboard keyboard;
    Log log;
    Listener listener(log);
    listener.listen(2010);
    bool sawDown = false;
    listener.action = [&](EVT::I_Event*) { sawDown = keyboard.keyDown[32]; };
    keyboard.addKeyPressEvent(32, EVT::Event(2010));

    keyboard.doKey(32, true);
    EXPECT_EQ(log, (Log{"2010"}));
    EXPECT_TRUE(sawDown);
    EXPECT_FALSE(keyboard.keyDown[1]) << "doKey leaves the modifier codes alone";

    // The device keeps its copy and raises it again at the next press.
    keyboard.doKey(32, false);
    keyboard.doKey(32, true);
    EXPECT_EQ(log, (Log{"2010", "2010"}));
}

TEST(Keyboard, ResetReleasesEverythingSilentlyAndForgetsStoredEvents)
{
    Devices::Keyboard keyboard;
    Log log;
    Listener listener(log);
    listener.listen(2020);
    listener.listen(2021);
    storeEvents(keyboard, 120, 2020, 2021);
    sendKey(120, true, Devices::Keyboard::MOD_CTRL);
    log.clear();

    keyboard.reset();
    for (int k = 0; k < Devices::Keyboard::KEY_COUNT; ++k) {
        ASSERT_FALSE(keyboard.keyDown[k]) << k;
    }
    sendKey(120, false, Devices::Keyboard::MOD_CTRL);
    sendKey(120, true, 0);
    EXPECT_TRUE(log.empty()) << "nothing raised: key already up, and no events stored";
}

TEST(Keyboard, IgnoresARecordThatIsNoKeyEvent)
{
    Devices::Keyboard keyboard;
    EVT::EventBus::instance().raiseEvent(13, false);
    for (int k = 0; k < Devices::Keyboard::KEY_COUNT; ++k) {
        ASSERT_FALSE(keyboard.keyDown[k]) << k;
    }
}

// Replacing or resetting the stored event from inside its own handling: the
// record must stay valid for the rest of its delivery (checked under ASan).
TEST(Keyboard, StoredEventReplacedDuringItsOwnDeliveryStaysValid)
{
    Devices::Keyboard keyboard;
    Log log;
    Listener first(log), second(log);
    first.listen(2030);
    second.listen(2030);
    second.listen(2031);
    int typeSeenBySecond = 0;
    second.action = [&](EVT::I_Event* event) { typeSeenBySecond = event->type; };

    struct Case {
        const char* name;
        std::function<void()> change;
        Log nextPress;
    };
    const Case cases[] = {
        {"press replaced", [&] { keyboard.addKeyPressEvent(50, EVT::Event(2031)); }, {"2031"}},
        {"reset", [&] { keyboard.reset(); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keyboard.reset();
        keyboard.addKeyPressEvent(50, EVT::Event(2030));
        first.action = [&](EVT::I_Event*) { c.change(); };
        log.clear();
        keyboard.doKey(50, true);
        first.action = nullptr;
        EXPECT_EQ(log, (Log{"2030", "2030"}));
        EXPECT_EQ(typeSeenBySecond, 2030);

        log.clear();
        keyboard.doKey(50, false);
        keyboard.doKey(50, true);
        EXPECT_EQ(log, c.nextPress);
    }
}

TEST(Keyboard, ReleaseEventReplacedDuringItsOwnDeliveryStaysValid)
{
    Devices::Keyboard keyboard;
    Log log;
    Listener listener(log);
    listener.listen(2040);
    keyboard.addKeyReleaseEvent(60, EVT::Event(2040));
    listener.action = [&](EVT::I_Event* event) {
        keyboard.addKeyReleaseEvent(60, EVT::Event(2041));
        log.push_back("still " + std::to_string(event->type));
    };
    sendKey(60, true, 0);
    sendKey(60, false, 0);
    EXPECT_EQ(log, (Log{"2040", "still 2040"}));
}

TEST(Devices, RegistryHoldsTheInstalledKeyboardOnly)
{
    EXPECT_EQ(Devices::getScreen(), nullptr);
    EXPECT_EQ(Devices::getMouse(), nullptr);
    EXPECT_EQ(Devices::getJoypad(), nullptr);
    Devices::Keyboard keyboard;
    Devices::Keyboard* before = Devices::getKeyboard();
    Devices::setKeyboard(&keyboard);
    EXPECT_EQ(Devices::getKeyboard(), &keyboard);
    Devices::setKeyboard(before);
}

} // namespace
