#include "HeadlessVektra.h"

#include <stdexcept>
#include <utility>

#include "CFG/SettingsLoader.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameManager.h"
#include "app/VektraGame.h"

namespace Tool {

HeadlessVektra::HeadlessVektra(double frameSeconds, std::vector<Game::HeadlessApp::Input> script,
                               int frameLimit, const std::string& settingsFile, bool renderEvents)
    : platform(frameSeconds, std::move(script), frameLimit),
      game(std::make_unique<Game::GameAssembly>()), manager(build(settingsFile, renderEvents)),
      app(*static_cast<Game::HeadlessApp*>(manager.getWindowApp())),
      match(matchState(*game->getLogic()))
{
}

HeadlessVektra::~HeadlessVektra()
{
    game.reset();
    delete Devices::getKeyboard();
    Devices::setKeyboard(nullptr);
    delete Devices::getJoypad();
    Devices::setJoypad(nullptr);
}

Game::GameManager& HeadlessVektra::build(const std::string& settingsFile, bool renderEvents)
{
    platform.setRenderEvents(renderEvents);
    if (buildVektra(*game, platform, {}, settingsFile) != CFG::SettingsLoader::GO_ON) {
        throw std::runtime_error("the headless game could not be built from " + settingsFile);
    }
    return *game->getManager();
}

} // namespace Tool
