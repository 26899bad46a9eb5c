#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Game/GameAssembly.h"
#include "Game/Headless/HeadlessApp.h"
#include "Game/Headless/HeadlessPlatform.h"

namespace Game {
class GameManager;
} // namespace Game

namespace Tool {

class MainLogic;

// The whole game without a display, built by start-up's own routine
// (buildVektra) on the headless platform from a settings file, for the
// tests and benchmarks that drive it frame by frame. Throws
// std::runtime_error when the settings stop start-up. Tearing it down also
// removes the keyboard (and the joypad, when seats have pads) that start-up
// installed for the rest of the process, so that the next game installs its
// own.
class HeadlessVektra {
public:
    HeadlessVektra(double frameSeconds, std::vector<Game::HeadlessApp::Input> script,
                   int frameLimit, const std::string& settingsFile, bool renderEvents = true);
    ~HeadlessVektra();
    HeadlessVektra(const HeadlessVektra&) = delete;
    HeadlessVektra& operator=(const HeadlessVektra&) = delete;

    // Runs the frame loop to its frame limit or quit.
    void run() { game->run(); }

private:
    Game::HeadlessPlatform platform;
    // Torn down before the keyboard goes.
    std::unique_ptr<Game::GameAssembly> game;

    Game::GameManager& build(const std::string& settingsFile, bool renderEvents);

public:
    Game::GameManager& manager;
    Game::HeadlessApp& app;
    MainLogic* match; // owned by the game's logic controller
};

} // namespace Tool
