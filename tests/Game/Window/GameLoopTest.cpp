#include <gtest/gtest.h>

#include <GL/glew.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/SettingsLoader.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GLFW/GLFW27.h"
#include "Game/GLFW/GLFWPlatform.h"
#include "Game/GLFWApp.h"
#include "Game/GameAssembly.h"
#include "Game/GameDefinition.h"
#include "Game/GameManager.h"
#include "Game/I_LogicState.h"
#include "Game/LogicController.h"
#include "Render/OGL/Controller.h"
#include "Support/StubView.h"
#include "Support/TempDir.h"
#include "Support/WindowPolling.h"

using TestSupport::windowDisplay;

// The game manager, the window application and the OpenGL render controller together, on a
// real window, built by start-up's own routine on the GLFW platform.

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

// The game's one logic state: calls its action on every update.
class ScriptedLogic : public Game::I_LogicState {
public:
    void setPause(bool) override {}
    void onEnter(const std::string&, const std::string&) override {}
    std::string onUpdate(float delta) override
    {
        ++updates;
        gameTime += delta;
        if (action) {
            action(updates);
        }
        return std::string();
    }
    void doExit(const std::string&) override {}
    int updates = 0;
    double gameTime = 0.0; // milliseconds
    std::function<void(int)> action;
};

// A 320 x 240 window cleared to green, no frame skipping, no vertical sync.
const char* const kSettings = "SCREEN_WIDTH == 320\n"
                              "SCREEN_HEIGHT == 240\n"
                              "BASE_SCREEN_WIDTH == 320\n"
                              "BASE_SCREEN_HEIGHT == 240\n"
                              "CLEAR_COLOR == 0x00FF00FF\n"
                              "FULLSCREEN_ON == NO\n"
                              "VSYNC_ON == NO\n"
                              "FRAME_RATE == 0\n"
                              "FRAME_SKIP == 0\n"
                              "GAME_SPEED == 1.0\n"
                              "MIN_Z == -1\n"
                              "MAX_Z == 1\n"
                              "FOV == 45\n";

// The GLFW platform with a render controller that counts its inits.
class CountingPlatform : public Game::GLFWPlatform {
public:
    Render::I_RenderController* createRenderController(const Render::ViewData& view) override
    {
        controller = new CountingController(view);
        controller->setSwapIntervalFunction(&GLFW27::glfwSwapInterval);
        return controller;
    }
    CountingController* controller = nullptr;
};

struct Game_;
Game_* g_building = nullptr;

// What start-up builds, with one scripted logic state and the probe view.
struct Game_ {
    explicit Game_(const std::string& more = "")
    {
        Game::g_exitApp = false;
        CFG::getDefaultOverrides()->reset();
        const std::string settings = dir.write("game.cfg", kSettings + more);
        const Game::GameDefinition definition = {kTitle, settings.c_str(), "", &registerStates};
        g_building = this;
        const int built = assembly.build({}, definition, platform);
        g_building = nullptr;
        if (built != CFG::SettingsLoader::GO_ON || logic == nullptr) {
            throw std::runtime_error("the game could not be built from " + settings);
        }
        view.box = Game::ViewBox{0, 0, 320, 240};
        view.hook = [this](const std::string& call, EVT::I_Event* input) { probe(call, input); };
        manager().getViewManager()->add(&view);
    }
    ~Game_()
    {
        Game::g_exitApp = false;
        // Start-up installs a keyboard for the rest of the process; the next game installs its
        // own.
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
        CFG::getDefaultOverrides()->reset();
    }

    static void registerStates(Game::LogicController& states, Game::GameManager*)
    {
        g_building->logic = new ScriptedLogic();
        states.add("SCRIPTED", g_building->logic, {});
    }

    // The view reads the pixel in the middle of the window before each swap and keeps the keys
    // offered.
    void probe(const std::string& call, EVT::I_Event* input)
    {
        if (call == "render") {
            glReadPixels(160, 120, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
            ++renders;
        } else if (input != nullptr && input->type == EVT::KEY) {
            const auto& key = dynamic_cast<const EVT::Event_Key&>(*input);
            keys.push_back((key.pressed ? "+" : "-") + std::to_string(key.key));
            if (onKey) {
                onKey();
            }
        }
    }

    Game::GameManager& manager() { return *assembly.getManager(); }
    void run() { assembly.run(); }

    TestSupport::TempDir dir;
    CountingPlatform platform;
    TestSupport::StubView view;
    unsigned char pixel[4] = {};
    int renders = 0;
    std::vector<std::string> keys;
    std::function<void()> onKey;
    Game::GameAssembly assembly;
    ScriptedLogic* logic = nullptr; // owned by the assembly's logic controller
};

} // namespace

TEST(GameLoop, RunsFramesDrawsDeliversKeysAndEndsOnShutdown)
{
    Game_ game;
    game.logic->action = [&](int update) {
        if (update == 2) {
            ASSERT_TRUE(windowDisplay().focus(kTitle));
            ASSERT_TRUE(windowDisplay().holdKey("Escape"));
        } else if (update > 2000) {
            game.manager().shutdown(); // the key never came
        }
    };
    game.onKey = [&] {
        if (game.keys.size() == 2) {
            game.manager().shutdown();
        }
    };
    game.run();
    EXPECT_EQ(game.platform.controller->inits, 1);
    EXPECT_EQ(game.keys, (std::vector<std::string>{"+27", "-27"}));
    EXPECT_EQ(game.renders, game.logic->updates);
    // Cleared to the clear colour before the views drew.
    EXPECT_EQ(game.pixel[0], 0);
    EXPECT_EQ(game.pixel[1], 255);
    EXPECT_EQ(game.pixel[2], 0);
    int width = 0, height = 0;
    game.manager().getScreenSize(width, height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
}

TEST(GameLoop, AnErrorInAnInputHandlerLeavesRunAsAnException)
{
    Game_ game;
    game.logic->action = [&](int update) {
        if (update == 2) {
            ASSERT_TRUE(windowDisplay().focus(kTitle));
            ASSERT_TRUE(windowDisplay().holdKey("space"));
        } else if (update > 2000) {
            game.manager().shutdown();
        }
    };
    game.onKey = [] { throw std::domain_error("Cant convert String to Num:abc"); };
    EXPECT_THROW(game.run(), std::domain_error);
    EXPECT_EQ(game.keys.size(), 1u);
}

// The time a frame limit sleeps is not lateness: frames of the limit's rate
// are drawn, not skipped by the frame-skip rule, and the game's clock still
// follows the wall clock.
TEST(GameLoop, AFrameLimitDrawsItsRateAndKeepsGameTime)
{
    for (int limit : {30, 60}) {
        SCOPED_TRACE("FRAME_LIMIT " + std::to_string(limit));
        Game_ game("FRAME_RATE == 60\nFRAME_SKIP == 5\nFRAME_LIMIT == " + std::to_string(limit) +
                   "\n");
        // Counted from the first update: the one before it holds the start.
        std::chrono::steady_clock::time_point start;
        double seconds = 0.0, startGameTime = 0.0;
        int startRenders = 0;
        game.logic->action = [&](int update) {
            const auto now = std::chrono::steady_clock::now();
            if (update == 1) {
                start = now;
                startGameTime = game.logic->gameTime;
                startRenders = game.renders;
            }
            seconds = std::chrono::duration<double>(now - start).count();
            if (seconds >= 1.0) {
                game.manager().shutdown();
            }
        };
        game.run();
        const int drawn = game.renders - startRenders;
        EXPECT_GE(drawn, 0.75 * limit * seconds);
        EXPECT_LE(drawn, 1.1 * limit * seconds + 1);
        EXPECT_NEAR(game.logic->gameTime - startGameTime, 1000.0 * seconds, 100.0);
    }
}

void runWithoutADisplay()
{
    unsetenv("DISPLAY");
    Game_ game;
    game.run();
}

TEST(GameLoopDeathTest, WithoutADisplayRunStopsWithFailedToInitWindow)
{
    EXPECT_DEATH(runWithoutADisplay(), "ABORT: Func:void Game::GameManager::run\\(\\) "
                                       "File:lib/Game/GameManager Line: [0-9]+\nABORT: Failed "
                                       "to init window");
}
