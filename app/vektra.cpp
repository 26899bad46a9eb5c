// Vektra: the framework's start-up routine runs the game that
// Game::gameDefinition() describes (VektraGame.cpp).
#include "Game/GAME_MAIN"
