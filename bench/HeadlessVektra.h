#pragma once

// The whole game without a display, assembled the way start-up assembles it
// (game manager, window application, render controller, sound, logic
// controller with the two states, keyboard), on the headless window
// application and render controller, for the benchmarks that drive it
// frame by frame. Settings: the shipped vektra.cfg, then the given
// overrides. Keeps a pointer to the match state so that probes can look at
// the match.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameManager.h"
#include "Game/HeadlessApp.h"
#include "Game/HeadlessRenderController.h"
#include "Game/LogicController.h"
#include "Render/ViewData.h"
#include "Sound/NullSoundController.h"
#include "app/MainLogic.h"
#include "app/TitleLogic.h"

#ifndef VEKTRA_SOURCE_DIR
#error "VEKTRA_SOURCE_DIR must name the directory holding the shipped vektra.cfg"
#endif

namespace Bench {

using Overrides = std::vector<std::pair<std::string, std::string>>;

// Loads the shipped settings into the global store and puts the overrides
// (alone) into the overrides store.
inline void loadSettings(const Overrides& overrides)
{
    CFG::getDefaultOverrides()->reset();
    CFG::setConfig(std::string(VEKTRA_SOURCE_DIR) + "/vektra.cfg");
    for (const auto& entry : overrides) {
        CFG::getDefaultOverrides()->add(entry.first, entry.second);
    }
}

inline int setting(const char* key)
{
    return CFG::parser()->getNumber<int>(key);
}

inline Render::ViewData settingsViewData()
{
    Render::ViewData view;
    view.minZ = CFG::parser()->getNumber<float>("MIN_Z");
    view.maxZ = CFG::parser()->getNumber<float>("MAX_Z");
    view.fov = CFG::parser()->getNumber<float>("FOV");
    view.x = 0;
    view.y = 0;
    view.width = setting("SCREEN_WIDTH");
    view.height = setting("SCREEN_HEIGHT");
    view.zoomX = 1.0f;
    view.zoomY = 1.0f;
    view.vsync = CFG::parser()->getBool("VSYNC_ON") ? 1 : 0;
    view.is3D = CFG::parser()->getBool("IS_3D");
    return view;
}

// One headless game, built from the current settings, ready to run().
class HeadlessVektra {
public:
    HeadlessVektra(double frameSeconds, std::vector<Game::HeadlessApp::Input> script,
                   int frameLimit)
        : manager(setting("BASE_SCREEN_WIDTH"), setting("BASE_SCREEN_HEIGHT"),
                  setting("FRAME_RATE"), setting("FRAME_SKIP")),
          app(setting("SCREEN_WIDTH"), setting("SCREEN_HEIGHT"),
              CFG::parser()->getNumber<unsigned long>("CLEAR_COLOR"), true,
              CFG::parser()->getNumber<float>("GAME_SPEED"), frameSeconds, std::move(script),
              frameLimit),
          render(settingsViewData())
    {
        manager.setWindowApp(&app);
        manager.setRenderController(&render);
        manager.setSoundController(&sound);
        logic.reset(new Game::LogicController());
        logic->add("TITLE", new Tool::TitleLogic(&manager), {});
        match = new Tool::MainLogic(&manager);
        logic->add("RUNNING", match, {{"*", "TITLE"}});
        Devices::setKeyboard(&keyboard);
        manager.setLogicController(logic.get());
    }

    ~HeadlessVektra()
    {
        logic.reset();
        Devices::setKeyboard(nullptr);
    }

    HeadlessVektra(const HeadlessVektra&) = delete;
    HeadlessVektra& operator=(const HeadlessVektra&) = delete;

    // Runs the frame loop to its frame limit or quit.
    void run() { manager.run(); }

    Game::GameManager manager;
    Game::HeadlessApp app;
    Game::HeadlessRenderController render;
    Sound::NullSoundController sound;
    std::unique_ptr<Game::LogicController> logic;
    Tool::MainLogic* match = nullptr; // owned by logic
    Devices::Keyboard keyboard;
};

} // namespace Bench
