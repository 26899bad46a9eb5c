#include <gtest/gtest.h>

#include <memory>

#include "Events/Event.h"
#include "Events/EventType.h"
#include "Events/Event_EnterLeave.h"
#include "Events/Event_Key.h"
#include "Events/Event_Mouse.h"
#include "Events/Event_SetMouse.h"
#include "Game/GLFW/GLFW27.h"
#include "Game/GLFWApp.h"
#include "Glfw3Probe.h"
#include "Support/EventRecorder.h"
#include "Support/WindowPolling.h"

using TestSupport::EventRecorder;
using TestSupport::pollWindowUntil;
using TestSupport::windowDisplay;

// Real X input sent with xdotool to a real window, arriving as events on the bus.

namespace {

const char* const kTitle = "GLFWAppInputTest";

class GLFWAppInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        Game::g_exitApp = false;
        Game::g_resetTime = false;
        Game::g_mouseAtv = true;
        app = std::make_unique<Game::GLFWApp>(kTitle, 320, 240, false, 0, true, 1.0f);
        ASSERT_TRUE(app->initWindowApp());
        ASSERT_TRUE(windowDisplay().focus(kTitle));
    }

    void TearDown() override
    {
        app.reset();
        Game::g_exitApp = false;
    }

    std::string window() const { return windowDisplay().findWindow(kTitle); }

    std::unique_ptr<Game::GLFWApp> app;
};

struct KeySeen {
    int key;
    bool pressed;
    int modifiers;
    bool operator==(const KeySeen& o) const
    {
        return key == o.key && pressed == o.pressed && modifiers == o.modifiers;
    }
};

std::ostream& operator<<(std::ostream& out, const KeySeen& k)
{
    return out << "{" << k.key << ", " << k.pressed << ", " << k.modifiers << "}";
}

std::vector<KeySeen> keysOf(const EventRecorder& recorder)
{
    std::vector<KeySeen> keys;
    for (const auto& e : recorder.of<EVT::Event_Key>(EVT::KEY)) {
        keys.push_back({e.key, e.pressed, e.modifiers});
    }
    return keys;
}

} // namespace

TEST_F(GLFWAppInput, KeysArriveAsKeyEventsWithTheirCodes)
{
    EventRecorder keys{EVT::KEY};
    const std::pair<const char*, int> cases[] = {
        {"a", 97},      {"Escape", 27}, {"Up", 6},       {"Left", 4},   {"Prior", 13},
        {"Return", 13}, {"Next", 14},   {"KP_Add", 141}, {"KP_0", 128}, {"space", 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        keys.events.clear();
        ASSERT_TRUE(windowDisplay().holdKey(c.first));
        ASSERT_TRUE(pollWindowUntil([&] { return keys.events.size() >= 2; }));
        EXPECT_EQ(keysOf(keys), (std::vector<KeySeen>{{c.second, true, 0}, {c.second, false, 0}}));
    }
    // Keys without a code raise nothing: shift, a function key, tab.
    keys.events.clear();
    ASSERT_TRUE(windowDisplay().xdotool("key shift key F5 key Tab key b"));
    ASSERT_TRUE(pollWindowUntil([&] { return keys.events.size() >= 2; }));
    EXPECT_EQ(keysOf(keys), (std::vector<KeySeen>{{98, true, 0}, {98, false, 0}}));
}

TEST_F(GLFWAppInput, ShiftedKeysCarryTheModifiersOfTheirPress)
{
    EventRecorder keys{EVT::KEY};
    // Shift comes up before A does: the release of A still carries shift.
    ASSERT_TRUE(
        windowDisplay().xdotool("keydown shift keydown a sleep 0.1 keyup shift sleep 0.1 keyup a"));
    ASSERT_TRUE(pollWindowUntil([&] { return keys.events.size() >= 2; }));
    EXPECT_EQ(keysOf(keys), (std::vector<KeySeen>{{97, true, 1}, {97, false, 1}}));

    keys.events.clear();
    ASSERT_TRUE(
        windowDisplay().xdotool("keydown ctrl keydown alt keydown x sleep 0.1 keyup x keyup alt "
                                "keyup ctrl"));
    ASSERT_TRUE(pollWindowUntil([&] { return keys.events.size() >= 2; }));
    EXPECT_EQ(keysOf(keys), (std::vector<KeySeen>{{120, true, 6}, {120, false, 6}}));
}

TEST_F(GLFWAppInput, SetMouseMovesShowsAndHidesTheCursorWithoutMotionEvents)
{
    EventRecorder mouse{EVT::MOUSE};
    struct Case {
        int mode, x, y;
        bool shownAfter;
        std::pair<int, int> positionAfter;
    };
    GLFW27::glfwSetMousePos(100, 100);
    pollWindowUntil([] { return false; }, 50);
    const Case cases[] = {
        {1, -1, -1, true, {100, 100}}, {1, 10, 20, true, {10, 20}},  {2, -1, 5, false, {10, 20}},
        {1, -1, 5, true, {10, 20}},    {2, 30, 40, false, {30, 40}}, {0, 50, 60, false, {50, 60}},
        {1, 70, 80, true, {70, 80}},   {7, 90, 90, true, {90, 90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.mode << " " << c.x << "," << c.y);
        EVT::Event_SetMouse request(c.x, c.y, c.mode);
        EVT::EventBus::instance().raiseEvent(&request, false);
        pollWindowUntil([] { return false; }, 50);
        EXPECT_EQ(Glfw3Probe::cursorShown(), c.shownAfter);
        std::pair<int, int> position;
        GLFW27::glfwGetMousePos(&position.first, &position.second);
        EXPECT_EQ(position, c.positionAfter);
    }
    EXPECT_TRUE(mouse.events.empty());
    // The motion callback is back in place: a real move is seen.
    ASSERT_TRUE(windowDisplay().xdotool("mousemove --window " + window() + " 33 44"));
    ASSERT_TRUE(pollWindowUntil([&] { return !mouse.events.empty(); }));
    const auto moves = mouse.of<EVT::Event_Mouse>(EVT::MOUSE);
    EXPECT_EQ(moves.back().x, 33);
    EXPECT_EQ(moves.back().y, 44);
}

TEST_F(GLFWAppInput, WheelStepsArriveAsMouseEventsWithTheirDifference)
{
    EventRecorder mouse{EVT::MOUSE};
    ASSERT_TRUE(windowDisplay().xdotool("mousemove --window " + window() + " 12 13"));
    pollWindowUntil([] { return false; }, 50);
    mouse.events.clear();
    ASSERT_TRUE(windowDisplay().xdotool("click 4 click 4 click 5 click 3"));
    ASSERT_TRUE(pollWindowUntil([&] { return mouse.events.size() >= 5; }));
    const auto events = mouse.of<EVT::Event_Mouse>(EVT::MOUSE);
    ASSERT_EQ(events.size(), 5u);
    const int wheel[] = {1, 1, -1, 0, 0};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].wheelDelta, wheel[i]);
        EXPECT_EQ(events[i].x, 12);
        EXPECT_EQ(events[i].y, 13);
    }
    EXPECT_EQ(events[3].button, 2); // the right button
    EXPECT_TRUE(events[3].pressed);
    EXPECT_FALSE(events[4].pressed);
}

TEST_F(GLFWAppInput, LosingAndRegainingFocusRaisesEnterLeaveAndGatesTheMouse)
{
    EventRecorder seen{EVT::ENTER_LEAVE, EVT::RENDER};
    int frames = 0;
    bool mouseWhileInactive = true;
    seen.onEvent = [&](EVT::I_Event* event) {
        if (event->type != EVT::RENDER) {
            return;
        }
        app->showWindow();
        ++frames;
        if (frames == 2) {
            windowDisplay().xdotool("windowunmap --sync " + window());
        } else if (frames == 40) {
            mouseWhileInactive = Game::g_mouseAtv;
            windowDisplay().xdotool("windowmap --sync " + window() + " windowfocus --sync " +
                                    window());
        } else if (frames == 80 || frames > 400) {
            Game::WindowCloseFunc();
        }
    };
    app->run();
    const auto changes = seen.of<EVT::Event_EnterLeave>(EVT::ENTER_LEAVE);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_FALSE(changes[0].active);
    EXPECT_TRUE(changes[1].active);
    EXPECT_FALSE(mouseWhileInactive);
    EXPECT_TRUE(Game::g_mouseAtv);
}
