#include <gtest/gtest.h>

#include <GL/glew.h>

#include <memory>

#include "Events/Event.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Events/Event_Mouse.h"
#include "Events/Event_Screen.h"
#include "Events/Event_Update.h"
#include "Game/GLFW/GLFW27.h"
#include "Game/GLFWApp.h"
#include "Support/EventRecorder.h"
#include "Support/WindowPolling.h"

using TestSupport::EventRecorder;
using Size = std::pair<int, int>;

namespace {

const char* const kTitle = "GLFWAppTest";

// The file-level state of the window application lives for the whole process; each test
// starts from its initial values.
void resetWindowState()
{
    Game::g_exitApp = false;
    Game::g_resetTime = false;
    Game::g_mouseAtv = true;
    GLFW27::clearVideoModeOverride();
}

std::vector<Size> screenSizes(const EventRecorder& recorder)
{
    std::vector<Size> sizes;
    for (const auto& e : recorder.of<EVT::Event_Screen>(EVT::SCREEN)) {
        sizes.emplace_back(e.width, e.height);
    }
    return sizes;
}

Size windowSize()
{
    Size size;
    GLFW27::glfwGetWindowSize(&size.first, &size.second);
    return size;
}

class GLFWAppTest : public ::testing::Test {
protected:
    void SetUp() override { resetWindowState(); }
    void TearDown() override { resetWindowState(); }

    std::unique_ptr<Game::GLFWApp> open(int width, int height, float speed = 1.0f)
    {
        return std::make_unique<Game::GLFWApp>(kTitle, width, height, false, 0x102030FFul, true,
                                               speed);
    }
};

} // namespace

TEST(GLFWAppSizes, ChoiceFollowsTheListedSizes)
{
    const std::vector<Size> allowed = {{640, 480}, {800, 480}, {800, 600}};
    const Size desktop(1280, 1024);
    struct Case {
        int width, height;
        bool fullscreen;
        std::vector<Size> allowed;
        Size expected;
    };
    const Case cases[] = {
        {0, 0, false, allowed, desktop},        {0, 0, true, allowed, desktop},
        {800, 600, false, allowed, {800, 600}}, {640, 480, true, allowed, {640, 480}},
        {2000, 600, false, allowed, desktop},   {700, 500, false, allowed, {700, 500}},
        {700, 500, true, allowed, desktop},     {800, 700, false, allowed, desktop},
        {800, 500, false, allowed, {800, 500}}, {700, 500, false, {}, desktop},
        {0, 480, false, allowed, {0, 480}},     {801, 480, false, allowed, desktop},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " fullscreen "
                                          << c.fullscreen << " of " << c.allowed.size());
        EXPECT_EQ(Game::chooseWindowSize(c.width, c.height, c.fullscreen, c.allowed, desktop),
                  c.expected);
    }
}

TEST_F(GLFWAppTest, AllowedSizesAreSortedWithoutRepeatsUpToTheFirstEmptyMode)
{
    GLFW27::setVideoModeOverride(
        {{800, 600, 5, 5, 6}, {640, 480, 8, 8, 8}, {800, 600, 8, 8, 8}, {800, 480, 8, 8, 8}},
        {1024, 768, 8, 8, 8});
    auto app = open(640, 480);
    std::vector<Size> sizes = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
    app->getAllowedSizes(sizes);
    EXPECT_EQ(sizes, (std::vector<Size>{{640, 480}, {800, 480}, {800, 600}}));

    GLFW27::setVideoModeOverride({{640, 480, 8, 8, 8}, {0, 0, 0, 0, 0}, {320, 200, 8, 8, 8}},
                                 {1024, 768, 8, 8, 8});
    app->getAllowedSizes(sizes);
    EXPECT_EQ(sizes, (std::vector<Size>{{640, 480}}));
}

TEST_F(GLFWAppTest, ConstructionOpensAtTheChosenSizeAndReportsItTwice)
{
    GLFW27::setVideoModeOverride({{640, 480, 8, 8, 8}, {800, 600, 8, 8, 8}}, {1024, 768, 8, 8, 8});
    const struct {
        int width, height;
        Size expected;
    } cases[] = {{0, 0, {1024, 768}},
                 {800, 600, {800, 600}},
                 {2000, 600, {1024, 768}},
                 {700, 500, {700, 500}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
        EventRecorder screens{EVT::SCREEN};
        auto app = open(c.width, c.height);
        EXPECT_EQ(screenSizes(screens), (std::vector<Size>{c.expected, c.expected}));
        EXPECT_EQ(windowSize(), c.expected);
        // Installing the size callback reports the size once more.
        ASSERT_TRUE(app->initWindowApp());
        EXPECT_EQ(screenSizes(screens).size(), 3u);
        EXPECT_EQ(screenSizes(screens).back(), c.expected);
        EXPECT_EQ(Game::g_windowTitle, kTitle);
        EXPECT_EQ(Game::g_app, app.get());
        EXPECT_EQ(app->getClearColor(), 0x102030FFu);
        EXPECT_TRUE(app->getClearWindow());
    }
    EXPECT_EQ(Game::g_app, nullptr);
}

TEST_F(GLFWAppTest, SetSizeResizesAndReportsZeroAsOne)
{
    auto app = open(320, 240);
    EventRecorder screens{EVT::SCREEN};
    app->setSize({400, 300});
    app->setSize({0, 0});
    EXPECT_EQ(screenSizes(screens), (std::vector<Size>{{400, 300}, {1, 1}}));
    EXPECT_EQ(windowSize(), Size(400, 300));
    Game::ReshapeFunc(0, 50);
    EXPECT_EQ(screenSizes(screens).back(), Size(1, 50));
}

TEST_F(GLFWAppTest, ClearWindowFillsWithTheColourGivenAsRGBA)
{
    auto app = open(64, 64);
    app->clearWindow(0xFF8000FFul);
    unsigned char pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_NEAR(pixel[1], 128, 1);
    EXPECT_EQ(pixel[2], 0);
}

TEST_F(GLFWAppTest, FramesRaisePreUpdateUpdateRenderUntilQuit)
{
    auto app = open(320, 240);
    ASSERT_TRUE(app->initWindowApp());
    EventRecorder frame{EVT::PRE_UPDATE, EVT::UPDATE, EVT::RENDER, EVT::ENTER_LEAVE};
    int renders = 0;
    frame.onEvent = [&](EVT::I_Event* event) {
        if (event->type == EVT::RENDER && ++renders == 3) {
            EXPECT_EQ(Game::WindowCloseFunc(), 1);
        }
    };
    app->run();
    EXPECT_EQ(frame.types(), (std::vector<int>{7, 6, 8, 7, 6, 8, 7, 6, 8}));
    // Once the quit has arrived, running again returns at once.
    app->run();
    EXPECT_EQ(renders, 3);
}

TEST_F(GLFWAppTest, GameSpeedScalesTheDeltaAndResetTimeZeroesIt)
{
    auto app = open(320, 240, 0.5f);
    EventRecorder updates{EVT::PRE_UPDATE, EVT::UPDATE};
    app->resetTime();
    GLFW27::glfwSetTime(1.0);
    Game::DrawFunc();
    GLFW27::glfwSetTime(1.020);
    Game::DrawFunc();
    app->resetTime();
    Game::DrawFunc();
    auto deltas = updates.of<EVT::Event_Update>(EVT::UPDATE);
    ASSERT_EQ(deltas.size(), 3u);
    EXPECT_EQ(deltas[0].delta, 0.0f);
    EXPECT_NEAR(deltas[1].delta, 10.0f, 0.05f);
    EXPECT_EQ(deltas[2].delta, 0.0f);
    EXPECT_NEAR(app->getTime(), 1.020, 0.05);
    // Pre-update carries the same delta, just before each update.
    EXPECT_EQ(updates.types(), (std::vector<int>{7, 6, 7, 6, 7, 6}));
}

TEST_F(GLFWAppTest, KeyNumbersTranslateToKeyCodes)
{
    auto app = open(320, 240);
    EventRecorder keys{EVT::KEY};
    // Every 2.7 key number with its expected code; 0 means no event.
    auto expectedCode = [](int key) -> int {
        if (key > 0 && key < 256) {
            return key >= 'A' && key <= 'Z' ? key + 32 : key;
        }
        if (key >= 302 && key <= 318) {
            return 128 + (key - 302);
        }
        switch (key) {
        case 257:
            return 27;
        case 283:
            return 6;
        case 284:
            return 7;
        case 285:
            return 4;
        case 286:
            return 5;
        case 294:
            return 13;
        case 295:
            return 11;
        case 296:
            return 10;
        case 297:
            return 12;
        case 298:
            return 13;
        case 299:
            return 14;
        case 300:
            return 8;
        case 301:
            return 9;
        default:
            return 0;
        }
    };
    for (int key = -2; key <= 700; ++key) {
        SCOPED_TRACE(key);
        keys.events.clear();
        Game::KeyFunc(key, GLFW27::GLFW_PRESS);
        Game::KeyFunc(key, GLFW27::GLFW_RELEASE);
        const auto seen = keys.of<EVT::Event_Key>(EVT::KEY);
        const int code = expectedCode(key);
        if (code == 0) {
            EXPECT_TRUE(seen.empty());
            continue;
        }
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].key, code);
        EXPECT_TRUE(seen[0].pressed);
        EXPECT_EQ(seen[1].key, code);
        EXPECT_FALSE(seen[1].pressed);
        EXPECT_EQ(seen[1].modifiers, 0);
    }
}

TEST_F(GLFWAppTest, AReleaseCarriesTheModifiersOfItsPress)
{
    auto app = open(320, 240);
    EventRecorder keys{EVT::KEY};
    Game::s_keypressModifiers['a'] = 5; // as left by a press with shift and ctrl held
    Game::KeyFunc('A', GLFW27::GLFW_RELEASE);
    Game::KeyFunc('A', GLFW27::GLFW_PRESS); // nothing held now
    Game::KeyFunc('A', GLFW27::GLFW_RELEASE);
    const auto seen = keys.of<EVT::Event_Key>(EVT::KEY);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].modifiers, 5);
    EXPECT_EQ(seen[1].modifiers, 0);
    EXPECT_EQ(seen[2].modifiers, 0);
}

TEST_F(GLFWAppTest, MouseEventsOnlyWhileActive)
{
    auto app = open(320, 240);
    ASSERT_TRUE(app->initWindowApp());
    EventRecorder input{EVT::MOUSE, EVT::KEY};
    Game::g_mouseAtv = false;
    Game::MouseMotionFunc(5, 6);
    Game::MouseButtonFunc(0, GLFW27::GLFW_PRESS);
    Game::MouseWheelFunc(1);
    Game::KeyFunc('X', GLFW27::GLFW_PRESS);
    EXPECT_EQ(input.types(), (std::vector<int>{EVT::KEY}));

    Game::g_mouseAtv = true;
    input.events.clear();
    Game::MouseMotionFunc(5, 6);
    for (int button : {0, 1, 2, 3}) {
        Game::MouseButtonFunc(button, GLFW27::GLFW_PRESS);
    }
    Game::MouseButtonFunc(0, GLFW27::GLFW_RELEASE);
    const auto mouse = input.of<EVT::Event_Mouse>(EVT::MOUSE);
    ASSERT_EQ(mouse.size(), 6u);
    EXPECT_EQ(mouse[0].x, 5);
    EXPECT_EQ(mouse[0].y, 6);
    EXPECT_EQ(mouse[0].button, 0);
    EXPECT_FALSE(mouse[0].pressed);
    const int buttons[] = {1, 2, 4, 0, 1};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(mouse[i + 1].button, buttons[i]);
        EXPECT_EQ(mouse[i + 1].pressed, i < 4);
        EXPECT_EQ(mouse[i + 1].wheelDelta, 0);
    }
}
