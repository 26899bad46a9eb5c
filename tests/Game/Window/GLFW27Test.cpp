#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "Game/GLFW/GLFW27.h"
#include "Support/WindowPolling.h"

using TestSupport::pollWindowUntil;
using TestSupport::windowDisplay;
using namespace GLFW27;

namespace {

const char* const kTitle = "GLFW27Test";

// What the 2.7-style callbacks have seen.
std::vector<std::pair<int, int>> g_keys;
std::vector<std::pair<int, int>> g_sizes;
bool g_throwOnKey = false;

void recordKey(int key, int action)
{
    g_keys.emplace_back(key, action);
    if (g_throwOnKey) {
        throw std::runtime_error("thrown by a key handler");
    }
}

void recordSize(int width, int height)
{
    g_sizes.emplace_back(width, height);
}

class GLFW27Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_keys.clear();
        g_sizes.clear();
        g_throwOnKey = false;
        ASSERT_EQ(glfwInit(), 1);
        ASSERT_EQ(glfwOpenWindow(320, 240, 0, 0, 0, 0, 24, 0, GLFW_WINDOW), 1);
        glfwSetWindowTitle(kTitle);
    }

    void TearDown() override
    {
        glfwTerminate();
        clearVideoModeOverride();
    }
};

} // namespace

TEST(GLFW27Keys, PrintableKeysKeepTheirNumbers)
{
    for (int key = 32; key <= 96; ++key) {
        SCOPED_TRACE(key);
        EXPECT_EQ(keyFromGlfw3(key), key);
        EXPECT_EQ(keyToGlfw3(key), key);
    }
}

TEST(GLFW27Keys, SpecialKeysGetTheir27Numbers)
{
    // GLFW 3 numbers as documented for GLFW 3, paired with the 2.7 names.
    const std::pair<int, int> cases[] = {
        {256, GLFW_KEY_ESC},         {290, GLFW_KEY_F1},          {314, GLFW_KEY_F25},
        {265, GLFW_KEY_UP},          {264, GLFW_KEY_DOWN},        {263, GLFW_KEY_LEFT},
        {262, GLFW_KEY_RIGHT},       {340, GLFW_KEY_LSHIFT},      {344, GLFW_KEY_RSHIFT},
        {341, GLFW_KEY_LCTRL},       {345, GLFW_KEY_RCTRL},       {342, GLFW_KEY_LALT},
        {346, GLFW_KEY_RALT},        {258, GLFW_KEY_TAB},         {257, GLFW_KEY_ENTER},
        {259, GLFW_KEY_BACKSPACE},   {260, GLFW_KEY_INSERT},      {261, GLFW_KEY_DEL},
        {266, GLFW_KEY_PAGEUP},      {267, GLFW_KEY_PAGEDOWN},    {268, GLFW_KEY_HOME},
        {269, GLFW_KEY_END},         {320, GLFW_KEY_KP_0},        {329, GLFW_KEY_KP_9},
        {331, GLFW_KEY_KP_DIVIDE},   {332, GLFW_KEY_KP_MULTIPLY}, {333, GLFW_KEY_KP_SUBTRACT},
        {334, GLFW_KEY_KP_ADD},      {330, GLFW_KEY_KP_DECIMAL},  {336, GLFW_KEY_KP_EQUAL},
        {335, GLFW_KEY_KP_ENTER},    {282, GLFW_KEY_KP_NUM_LOCK}, {280, GLFW_KEY_CAPS_LOCK},
        {281, GLFW_KEY_SCROLL_LOCK}, {284, GLFW_KEY_PAUSE},       {343, GLFW_KEY_LSUPER},
        {347, GLFW_KEY_RSUPER},      {348, GLFW_KEY_MENU},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(keyFromGlfw3(c.first), c.second);
        EXPECT_EQ(keyToGlfw3(c.second), c.first);
    }
    // The function keys and keypad digits are contiguous in both numberings.
    EXPECT_EQ(keyFromGlfw3(291), 259);
    EXPECT_EQ(keyFromGlfw3(325), 307);
}

TEST(GLFW27Keys, UnknownKeysGetDistinctNumbersAfterTheLast27Key)
{
    std::set<int> seen;
    // Print screen, F-keys are known; world keys and print screen are not 2.7 keys.
    for (int key : {161, 162, 283}) {
        SCOPED_TRACE(key);
        const int number = keyFromGlfw3(key);
        EXPECT_GT(number, GLFW_KEY_LAST);
        EXPECT_TRUE(seen.insert(number).second);
        EXPECT_EQ(keyToGlfw3(number), key);
    }
    EXPECT_EQ(keyFromGlfw3(-1), GLFW_KEY_UNKNOWN);
    EXPECT_EQ(keyFromGlfw3(349), GLFW_KEY_UNKNOWN);
    EXPECT_EQ(keyToGlfw3(-5), -1);
    EXPECT_EQ(keyToGlfw3(100000), -1);
    EXPECT_EQ(keyToGlfw3(200), -1); // a 2.7 number that no GLFW 3 key has
}

TEST(GLFW27Keys, EveryGlfw3KeyRoundTrips)
{
    std::set<int> seen;
    for (int key = 32; key <= 348; ++key) {
        const int number = keyFromGlfw3(key);
        SCOPED_TRACE(key);
        ASSERT_NE(number, GLFW_KEY_UNKNOWN);
        EXPECT_TRUE(seen.insert(number).second);
        EXPECT_EQ(keyToGlfw3(number), key);
    }
}

// Runs every call without a display; true when each failed quietly.
bool everyCallFailsWithoutADisplay()
{
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    bool ok = glfwInit() == 0;
    ok = ok && glfwOpenWindow(640, 480, 0, 0, 0, 0, 24, 0, GLFW_WINDOW) == 0;
    ok = ok && glfwGetWindowParam(GLFW_OPENED) == 0;
    glfwSetWindowSizeCallback(recordSize);
    glfwSetWindowSize(100, 100);
    glfwEnable(GLFW_MOUSE_CURSOR);
    glfwSwapBuffers();
    int w = -1;
    int h = -1;
    glfwGetWindowSize(&w, &h);
    GLFWvidmode modes[4];
    GLFWvidmode desktop{1, 1, 1, 1, 1};
    glfwGetDesktopMode(&desktop);
    ok = ok && w == 0 && h == 0 && g_sizes.empty() && glfwGetKey('A') == GLFW_RELEASE;
    ok = ok && glfwGetVideoModes(modes, 4) == 0 && desktop.Width == 0;
    ok = ok && glfwGetJoystickParam(0, GLFW_PRESENT) == 0;
    glfwTerminate();
    return ok;
}

TEST(GLFW27DeathTest, WithoutADisplayEveryCallFailsQuietly)
{
    EXPECT_EXIT(std::exit(everyCallFailsWithoutADisplay() ? 0 : 1), ::testing::ExitedWithCode(0),
                "");
}

TEST_F(GLFW27Window, HoldsOneWindowAndReportsItsState)
{
    EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 1);
    EXPECT_EQ(glfwOpenWindow(100, 100, 0, 0, 0, 0, 24, 0, GLFW_WINDOW), 0);
    int w = 0, h = 0;
    glfwGetWindowSize(&w, &h);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    glfwCloseWindow();
    EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 0);
    EXPECT_EQ(glfwGetWindowParam(GLFW_ACTIVE), 0);
}

TEST_F(GLFW27Window, SizeCallbackReportsAtOnceAndOnResize)
{
    glfwSetWindowSizeCallback(recordSize);
    ASSERT_EQ(g_sizes.size(), 1u);
    EXPECT_EQ(g_sizes[0], std::make_pair(320, 240));
    glfwSetWindowSize(400, 300);
    EXPECT_TRUE(pollWindowUntil([] { return g_sizes.back() == std::make_pair(400, 300); }));
    glfwSetWindowSizeCallback(nullptr);
    glfwSetWindowSize(500, 300);
    pollWindowUntil([] { return false; }, 100);
    EXPECT_EQ(g_sizes.back(), std::make_pair(400, 300));
}

TEST_F(GLFW27Window, VideoModesComeFromTheMonitorOrTheOverride)
{
    GLFWvidmode modes[1000] = {};
    const int real = glfwGetVideoModes(modes, 1000);
    GLFWvidmode desktop{};
    glfwGetDesktopMode(&desktop);
    EXPECT_GE(real, 1);
    EXPECT_GT(desktop.Width, 0);
    EXPECT_GT(desktop.Height, 0);

    setVideoModeOverride({{800, 600, 5, 5, 6}, {640, 480, 8, 8, 8}}, {1024, 768, 8, 8, 8});
    EXPECT_EQ(glfwGetVideoModes(modes, 1), 1);
    EXPECT_EQ(modes[0].Width, 800);
    EXPECT_EQ(modes[0].GreenBits, 6);
    EXPECT_EQ(glfwGetVideoModes(modes, 1000), 2);
    EXPECT_EQ(modes[1].Height, 480);
    glfwGetDesktopMode(&desktop);
    EXPECT_EQ(desktop.Width, 1024);
    EXPECT_EQ(desktop.Height, 768);
    glfwTerminate(); // the override belongs to the caller and outlives the session
    EXPECT_EQ(glfwGetVideoModes(modes, 1000), 2);
}

TEST_F(GLFW27Window, JoysticksOutOfRangeOrAbsentReadAsZero)
{
    float axes[2] = {5.0f, 5.0f};
    unsigned char buttons[4] = {9, 9, 9, 9};
    for (int joy : {-1, 16, 1000}) {
        SCOPED_TRACE(joy);
        EXPECT_EQ(glfwGetJoystickParam(joy, GLFW_PRESENT), 0);
        EXPECT_EQ(glfwGetJoystickPos(joy, axes, 2), 0);
        EXPECT_EQ(glfwGetJoystickButtons(joy, buttons, 4), 0);
        EXPECT_EQ(axes[0], 0.0f);
        EXPECT_EQ(axes[1], 0.0f);
        EXPECT_EQ(buttons[3], GLFW_RELEASE);
    }
}

TEST_F(GLFW27Window, RealKeysArriveWith27NumbersAndStateIsReadable)
{
    glfwSetKeyCallback(recordKey);
    ASSERT_TRUE(windowDisplay().focus(kTitle));
    const std::pair<const char*, int> keys[] = {
        {"a", 'A'},
        {"Prior", GLFW_KEY_PAGEUP},
        {"KP_Add", GLFW_KEY_KP_ADD},
        {"F3", GLFW_KEY_F1 + 2},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.first);
        g_keys.clear();
        ASSERT_TRUE(windowDisplay().holdKey(k.first));
        ASSERT_TRUE(pollWindowUntil([] { return g_keys.size() >= 2; }));
        EXPECT_EQ(g_keys[0], std::make_pair(k.second, GLFW_PRESS));
        EXPECT_EQ(g_keys[1], std::make_pair(k.second, GLFW_RELEASE));
    }
    ASSERT_TRUE(windowDisplay().xdotool("keydown shift"));
    EXPECT_TRUE(pollWindowUntil([] { return glfwGetKey(GLFW_KEY_LSHIFT) == GLFW_PRESS; }));
    EXPECT_TRUE(isKeyDown(GLFW_KEY_LSHIFT));
    ASSERT_TRUE(windowDisplay().xdotool("keyup shift"));
    EXPECT_TRUE(pollWindowUntil([] { return glfwGetKey(GLFW_KEY_LSHIFT) == GLFW_RELEASE; }));

    // Sticky keys hold a released key down for glfwGetKey until it has been asked once;
    // isKeyDown tells the key as it is.
    glfwEnable(GLFW_STICKY_KEYS);
    g_keys.clear();
    ASSERT_TRUE(windowDisplay().xdotool("keydown shift keyup shift"));
    ASSERT_TRUE(pollWindowUntil([] { return g_keys.size() >= 2; }));
    EXPECT_FALSE(isKeyDown(GLFW_KEY_LSHIFT));
    EXPECT_EQ(glfwGetKey(GLFW_KEY_LSHIFT), GLFW_PRESS);
    EXPECT_EQ(glfwGetKey(GLFW_KEY_LSHIFT), GLFW_RELEASE);
}

TEST_F(GLFW27Window, AnExceptionInACallbackIsThrownAfterThePoll)
{
    glfwSetKeyCallback(recordKey);
    ASSERT_TRUE(windowDisplay().focus(kTitle));
    g_throwOnKey = true;
    ASSERT_TRUE(windowDisplay().holdKey("b"));
    bool thrown = false;
    pollWindowUntil(
        [&] {
            try {
                glfwSwapBuffers();
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "thrown by a key handler");
                thrown = true;
            }
            return thrown;
        },
        2000);
    EXPECT_TRUE(thrown);
    // The release in the same poll was dropped; the next poll throws nothing more.
    EXPECT_EQ(g_keys.size(), 1u);
    g_throwOnKey = false;
    EXPECT_NO_THROW(glfwSwapBuffers());
}

TEST_F(GLFW27Window, PlacingTheCursorHoldsWaitingInputForTheNextPoll)
{
    glfwSetKeyCallback(recordKey);
    ASSERT_TRUE(windowDisplay().focus(kTitle));
    // Both key events are with the window system before the cursor is placed; placing it
    // (often done inside an event delivery) must not deliver them.
    ASSERT_TRUE(windowDisplay().holdKey("c"));
    glfwSetMousePos(10, 10);
    EXPECT_TRUE(g_keys.empty());
    glfwPollEvents();
    EXPECT_EQ(g_keys, (std::vector<std::pair<int, int>>{{'C', GLFW_PRESS}, {'C', GLFW_RELEASE}}));
    int x = 0;
    int y = 0;
    glfwGetMousePos(&x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(10, 10));
}
