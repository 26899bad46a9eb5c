#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GLFWApp.h"
#include "Game/GameManager.h"
#include "Render/OGL/Controller.h"
#include "Support/WindowPolling.h"

using TestSupport::windowDisplay;

// The game manager, the window application and the OpenGL render controller together, on a
// real window: the way start-up wires them.

namespace {

const char* const kTitle = "GameLoopTest";

class CountingController : public OGL::Controller {
public:
    explicit CountingController(const Render::ViewData& view) : OGL::Controller(view) {}
    void init() override
    {
        ++inits;
        OGL::Controller::init();
    }
    int inits = 0;
};

// Calls its action on every update.
class ScriptedLogic : public Game::I_LogicController {
public:
    void setPause(bool) override {}
    void onUpdate(float) override
    {
        ++updates;
        if (action) {
            action(updates);
        }
    }
    int updates = 0;
    std::function<void(int)> action;
};

// Reads the pixel in the middle of the window before each swap and keeps the keys offered.
class ProbeView : public Game::I_View {
public:
    void setPause(bool) override {}
    void setScreenSize(int, int) override {}
    void preUpdate(float) override {}
    void onUpdate(float) override {}
    void onRender() override
    {
        glReadPixels(160, 120, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        ++renders;
    }
    EVT::I_Event* onInput(EVT::I_Event* event) override
    {
        if (event->type == EVT::KEY) {
            const auto& key = dynamic_cast<const EVT::Event_Key&>(*event);
            keys.push_back((key.pressed ? "+" : "-") + std::to_string(key.key));
            if (onKey) {
                onKey();
            }
        }
        return event;
    }
    Game::ViewBox getViewBox() const override { return Game::ViewBox{0, 0, 320, 240}; }

    unsigned char pixel[4] = {};
    int renders = 0;
    std::vector<std::string> keys;
    std::function<void()> onKey;
};

Render::ViewData windowView()
{
    Render::ViewData view;
    view.minZ = -1.0f;
    view.maxZ = 1.0f;
    view.fov = 45.0f;
    view.x = 0;
    view.y = 0;
    view.width = 320;
    view.height = 240;
    view.zoomX = 1.0f;
    view.zoomY = 1.0f;
    view.vsync = 0;
    view.is3D = false;
    return view;
}

// What start-up builds, in its order.
struct Game_ {
    Game_()
        : manager(320, 240, 0, 0), app(kTitle, 320, 240, false, 0x00FF00FFul, true, 1.0f),
          controller(windowView())
    {
        Game::g_exitApp = false;
        manager.setWindowApp(&app);
        manager.setRenderController(&controller);
        manager.setLogicController(&logic);
        manager.getViewManager()->add(&view);
    }
    ~Game_() { Game::g_exitApp = false; }

    Game::GameManager manager;
    Game::GLFWApp app;
    CountingController controller;
    ScriptedLogic logic;
    ProbeView view;
};

} // namespace

TEST(GameLoop, RunsFramesDrawsDeliversKeysAndEndsOnShutdown)
{
    Game_ game;
    game.logic.action = [&](int update) {
        if (update == 2) {
            ASSERT_TRUE(windowDisplay().focus(kTitle));
            ASSERT_TRUE(windowDisplay().holdKey("Escape"));
        } else if (update > 2000) {
            game.manager.shutdown(); // the key never came
        }
    };
    game.view.onKey = [&] {
        if (game.view.keys.size() == 2) {
            game.manager.shutdown();
        }
    };
    game.manager.run();
    EXPECT_EQ(game.controller.inits, 1);
    EXPECT_EQ(game.view.keys, (std::vector<std::string>{"+27", "-27"}));
    EXPECT_EQ(game.view.renders, game.logic.updates);
    // Cleared to the clear colour before the views drew.
    EXPECT_EQ(game.view.pixel[0], 0);
    EXPECT_EQ(game.view.pixel[1], 255);
    EXPECT_EQ(game.view.pixel[2], 0);
    int width = 0, height = 0;
    game.manager.getScreenSize(width, height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
}

TEST(GameLoop, AnErrorInAnInputHandlerLeavesRunAsAnException)
{
    Game_ game;
    game.logic.action = [&](int update) {
        if (update == 2) {
            ASSERT_TRUE(windowDisplay().focus(kTitle));
            ASSERT_TRUE(windowDisplay().holdKey("space"));
        } else if (update > 2000) {
            game.manager.shutdown();
        }
    };
    game.view.onKey = [] { throw std::domain_error("Cant convert String to Num:abc"); };
    EXPECT_THROW(game.manager.run(), std::domain_error);
    EXPECT_EQ(game.view.keys.size(), 1u);
}

void runWithoutADisplay()
{
    unsetenv("DISPLAY");
    Game_ game;
    game.manager.run();
}

TEST(GameLoopDeathTest, WithoutADisplayRunStopsWithFailedToInitWindow)
{
    EXPECT_DEATH(runWithoutADisplay(), "ABORT: Func:void Game::GameManager::run\\(\\) "
                                       "File:lib/Game/GameManager Line: [0-9]+\nABORT: Failed "
                                       "to init window");
}
