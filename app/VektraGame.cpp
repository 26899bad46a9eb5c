#include "VektraGame.h"

#define GAME_MAIN_NO_ENTRY
#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Game/GAME_MAIN"
#include "Game/GameAssembly.h"
#include "Game/LogicController.h"
#include "MainLogic.h"
#include "MainView.h"
#include "TitleLogic.h"
#include "app/input/PadControl.h"
#include "app/onlinegame/OnlineLogic.h"
#include "app/settings/SettingRules.h"
#include "app/settings/SettingsCheck.h"
#include "app/sound/SoundChoice.h"

namespace Tool {

void registerVektraStates(Game::LogicController& logic, Game::GameManager* manager)
{
    // Installed for the rest of the process, like the keyboard, and only when a seat has a
    // pad: the window backend reads gamepads only then.
    if (PadControl::configured() && Devices::getJoypad() == nullptr) {
        Devices::setJoypad(new Devices::Joypad());
    }
    // An online client has one state of its own: the server runs the matches.
    if (!CFG::get("CONNECT").empty()) {
        logic.add("ONLINE",
                  new OnlineLogic(manager,
                                  [manager](const Match& match, const Scoreboard& score,
                                            const std::vector<int>& seats) {
                                      MainView* arena = new MainView(manager, match, score);
                                      arena->setBand(match.getPlayerCount());
                                      arena->markSeats(seats);
                                      return arena;
                                  }),
                  {});
        return;
    }
    logic.add("TITLE", new TitleLogic(manager), {});
    logic.add("RUNNING", new MainLogic(manager), {{"*", "TITLE"}});
}

MainLogic* matchState(Game::LogicController& logic)
{
    return dynamic_cast<MainLogic*>(logic.getState("RUNNING"));
}

OnlineLogic* onlineState(Game::LogicController& logic)
{
    return dynamic_cast<OnlineLogic*>(logic.getState("ONLINE"));
}

int buildVektra(Game::GameAssembly& game, Game::I_Platform& platform,
                const std::vector<std::string>& args, const std::string& settingsFile)
{
    Game::GameDefinition vektra = Game::gameDefinition();
    vektra.settingsFile = settingsFile.c_str();
    return game.build(args, vektra, platform);
}

int runVektra(int argc, char** argv, Game::I_Platform& platform)
{
    return Game::startGame(argc, argv, Game::gameDefinition(), platform);
}

} // namespace Tool

namespace Game {

const GameDefinition& gameDefinition()
{
    // No render ability is required: the arena needs nothing beyond
    // OpenGL 1.1. The settings are checked before anything is built.
    static const GameDefinition vektra = {"Vektra",
                                          "vektra.cfg",
                                          "",
                                          &Tool::registerVektraStates,
                                          &Tool::makeVektraSound,
                                          nullptr,
                                          Tool::pathSettings(),
                                          &Tool::SettingsCheck::gameStartUp};
    return vektra;
}

} // namespace Game
