#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Screen.h"
#include "Events/Event_Update.h"
#include "Game/Headless/HeadlessApp.h"
#include "Render/Abilities.h"
#include "Render/Headless/HeadlessRenderController.h"
#include "Support/EventRecorder.h"

namespace {

using Game::HeadlessApp;
using Input = HeadlessApp::Input;

using TestSupport::EventRecorder;

// A recorder of the frame loop's event types.
EventRecorder frameLog()
{
    return EventRecorder{EVT::PRE_UPDATE, EVT::UPDATE, EVT::KEY,
                         EVT::QUIT,       EVT::SCREEN, EVT::RENDER};
}

// The events recorded so far, one word each, which are then forgotten:
// "pre10" "upd10" "key97+" "key97-" "quit" "screen1x1".
std::string take(EventRecorder& log)
{
    std::string words;
    for (const auto& event : log.events) {
        std::ostringstream word;
        if (auto* pre = dynamic_cast<EVT::Event_PreUpdate*>(event.get()))
            word << "pre" << pre->delta;
        else if (auto* update = dynamic_cast<EVT::Event_Update*>(event.get()))
            word << "upd" << update->delta;
        else if (auto* key = dynamic_cast<EVT::Event_Key*>(event.get()))
            word << "key" << int(key->key) << (key->pressed ? "+" : "-") << key->modifiers;
        else if (auto* screen = dynamic_cast<EVT::Event_Screen*>(event.get()))
            word << "screen" << screen->width << "x" << screen->height;
        else
            word << (event->type == EVT::QUIT ? "quit" : "type" + std::to_string(event->type));
        words += (words.empty() ? "" : " ") + word.str();
    }
    log.events.clear();
    return words;
}

TEST(HeadlessAppTest, FramesRaiseUpdatesThenTheirScriptedInputAndNoDrawing)
{
    EventRecorder log = frameLog();
    // Given out of order: the script is sorted by frame, stable within one.
    HeadlessApp app(0, 480, 0x10203040, true, 0.5f, 0.02,
                    {Input::close(3), Input::keyDown(1, 'a'), Input{1, Input::KEY, 'b', true, 1},
                     Input::keyUp(2, 'a')},
                    100);
    EXPECT_EQ("screen1x480", take(log)) << "the size is reported at once, 0 as 1";
    EXPECT_EQ(0x10203040u, app.getClearColor());
    EXPECT_TRUE(app.getClearWindow());
    ASSERT_TRUE(app.initWindowApp());

    app.run();
    EXPECT_EQ("pre10 upd10 "
              "pre10 upd10 key97+0 key98+1 "
              "pre10 upd10 key97-0 "
              "pre10 upd10 quit",
              take(log));
    EXPECT_EQ(4, app.getFramesRun());
    EXPECT_FALSE(app.reachedFrameLimit());
    EXPECT_DOUBLE_EQ(0.08, app.getTime());

    // The quit is for good: running again returns at once.
    app.run();
    EXPECT_EQ("", take(log));
}

TEST(HeadlessAppTest, ResetTimeMakesTheNextDeltaZeroAndTheLimitEndsAScriptWithoutQuit)
{
    EventRecorder log = frameLog();
    HeadlessApp app(64, 48, 0, false, 1.0f, 0.016, {Input::keyDown(-5, 'x')}, 3);
    app.initWindowApp();
    take(log);
    app.resetTime();
    app.run();
    EXPECT_EQ("pre0 upd0 key120+0 pre16 upd16 pre16 upd16", take(log))
        << "input scheduled before the first frame comes with it";
    EXPECT_TRUE(app.reachedFrameLimit());
    EXPECT_EQ(3, app.getFramesRun());

    std::vector<std::pair<int, int>> sizes{{1, 2}, {3, 4}};
    app.getAllowedSizes(sizes);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{64, 48}}), sizes);
    app.setSize({0, 20});
    EXPECT_EQ("screen1x20", take(log));
}

TEST(HeadlessRenderControllerTest, ReportsNoAbilityUnlessSetAndReadsBlackScreens)
{
    Game::HeadlessRenderController controller{Render::ViewData()};
    for (int ability = 0; ability < Render::ABILITY_COUNT; ++ability) {
        SCOPED_TRACE(ability);
        EXPECT_EQ(0, controller.getAbility(ability));
    }
    controller.setAbility(Render::MAX_TEXTURE_SIZE_2D, 2048);
    controller.setAbility(13, 5);
    EXPECT_EQ(2048, controller.getAbility(Render::MAX_TEXTURE_SIZE_2D));
    EXPECT_EQ(-1, controller.getAbility(13));
    EXPECT_EQ(-1, controller.getAbility(-1));

    unsigned char pixels[2 * 2 * 4];
    for (unsigned char& byte : pixels)
        byte = 0xAB;
    controller.copyScreen(pixels, 0, 0, 2, 2);
    for (unsigned char byte : pixels)
        EXPECT_EQ(0, byte);
}

} // namespace
