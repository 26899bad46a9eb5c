#pragma once

// The whole game without a display, built by start-up's own routine on the
// headless platform, for the benchmarks that drive it frame by frame.
// Settings: the shipped vektra.cfg, then the given overrides. Keeps a
// pointer to the match state so that probes can look at the match.

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/SettingsLoader.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameAssembly.h"
#include "Game/GameManager.h"
#include "Game/HeadlessApp.h"
#include "Game/HeadlessPlatform.h"
#include "Game/LogicController.h"
#include "app/MainLogic.h"
#include "app/VektraGame.h"

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

// One headless game, built by start-up's own routine (Tool::buildVektra) from
// the shipped vektra.cfg with the overrides already in the store, ready to
// run(). With render false no render event is raised, so nothing is drawn.
class HeadlessVektra {
public:
    HeadlessVektra(double frameSeconds, std::vector<Game::HeadlessApp::Input> script,
                   int frameLimit, bool render = true)
        : platform(frameSeconds, std::move(script), frameLimit),
          manager(build(platform, render, game)),
          app(*static_cast<Game::HeadlessApp*>(manager.getWindowApp())),
          match(runningState(manager))
    {
    }

    ~HeadlessVektra()
    {
        game.reset();
        // Start-up installs a keyboard for the rest of the process; the next
        // game installs its own.
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
    }

    HeadlessVektra(const HeadlessVektra&) = delete;
    HeadlessVektra& operator=(const HeadlessVektra&) = delete;

    // Runs the frame loop to its frame limit or quit.
    void run() { game->run(); }

private:
    static Game::GameManager& build(Game::HeadlessPlatform& platform, bool render,
                                    std::unique_ptr<Game::GameAssembly>& game)
    {
        platform.setRenderEvents(render);
        game.reset(new Game::GameAssembly());
        const std::string settings = std::string(VEKTRA_SOURCE_DIR) + "/vektra.cfg";
        if (Tool::buildVektra(*game, platform, {}, settings) != CFG::SettingsLoader::GO_ON) {
            throw std::runtime_error("the headless game could not be built from " + settings);
        }
        return *game->getManager();
    }

    static Tool::MainLogic* runningState(Game::GameManager& manager)
    {
        auto* logic = static_cast<Game::LogicController*>(manager.getLogicController());
        return Tool::matchState(*logic);
    }

    Game::HeadlessPlatform platform;
    std::unique_ptr<Game::GameAssembly> game;

public:
    Game::GameManager& manager;
    Game::HeadlessApp& app;
    Tool::MainLogic* match; // owned by the game's logic controller
};

} // namespace Bench
