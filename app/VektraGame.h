#pragma once

#include <string>
#include <vector>

#include "Game/GameDefinition.h"

namespace Game {
class GameAssembly;
class I_Platform;
} // namespace Game

namespace Tool {

class MainLogic;
class OnlineLogic;

// Registers Vektra's two logic states: "TITLE", which runs first and has
// no transitions, and "RUNNING", which goes back to "TITLE" whatever result
// its match ends with. With "CONNECT" only "ONLINE" (OnlineLogic), the
// online client.
void registerVektraStates(Game::LogicController& logic, Game::GameManager* manager);

// The match state ("RUNNING") of a logic controller that
// registerVektraStates filled; null for any other controller.
MainLogic* matchState(Game::LogicController& logic);
// The online client's state ("ONLINE"); null unless "CONNECT" was set.
OnlineLogic* onlineState(Game::LogicController& logic);

// Builds Vektra into game on the platform, exactly as the program starts:
// args are the command line without the program's name; settingsFile is
// the main settings file ("vektra.cfg" in the working directory, as the
// program reads it). Returns CFG::SettingsLoader::GO_ON once built, else
// the exit code the program would end with. Then game.run() plays it.
int buildVektra(Game::GameAssembly& game, Game::I_Platform& platform,
                const std::vector<std::string>& args = {},
                const std::string& settingsFile = "vektra.cfg");

// The whole program on the platform: build, play until it quits, tear
// down. Returns the program's exit code. Call it inside CFG::guardedMain.
int runVektra(int argc, char** argv, Game::I_Platform& platform);

} // namespace Tool
