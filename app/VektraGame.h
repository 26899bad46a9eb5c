#pragma once

#include "Game/GameDefinition.h"

namespace Tool {

// Registers Vektra's two logic states: "TITLE", which runs first and has
// no transitions, and "RUNNING", which goes back to "TITLE" whatever result
// its match ends with.
void registerVektraStates(Game::LogicController& logic, Game::GameManager* manager);

} // namespace Tool
