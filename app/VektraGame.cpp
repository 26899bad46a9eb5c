#include "VektraGame.h"

#include "Game/LogicController.h"
#include "MainLogic.h"
#include "TitleLogic.h"

namespace Tool {

void registerVektraStates(Game::LogicController& logic, Game::GameManager* manager)
{
    logic.add("TITLE", new TitleLogic(manager), {});
    logic.add("RUNNING", new MainLogic(manager), {{"*", "TITLE"}});
}

} // namespace Tool

namespace Game {

const GameDefinition& gameDefinition()
{
    // No render ability is required: the arena needs nothing beyond
    // OpenGL 1.1.
    static const GameDefinition vektra = {"Vektra", "vektra.cfg", "", &Tool::registerVektraStates};
    return vektra;
}

} // namespace Game
