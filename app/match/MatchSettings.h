#pragma once

#include <string>
#include <vector>

#include "MatchSetup.h"

namespace Tool {

// Reads the parts of a match's setup that the settings give, on the game's
// side of the match model (which reads no setting itself).
class MatchSettings {
public:
    // The grid and the players: "GRID_WIDTH", "GRID_HEIGHT" (3 or less
    // gives 4), "NUM_PLAYERS" (1 or less gives 2), and every seat's level
    // (levels()), so that a wrong setting is reported before a window
    // opens. Throws std::invalid_argument, with a message for the player,
    // for a grid side above MatchSetup::MAX_GRID_SIDE or more players than
    // the grid has free cells.
    static MatchSetup shape();

    // The level of every seat from firstComputer on (seats before it are
    // people's and play none): "AI_LEVEL" for every computer player,
    // "AI_LEVEL_P" + seat (counting from 1: "AI_LEVEL_P2" is player 1) for
    // one. Throws std::invalid_argument, with a message for the player, for
    // a level outside 0 to MatchSetup::MAX_LEVEL; a value that is no number
    // throws as every number setting does.
    static std::vector<int> levels(int playerCount, int firstComputer);

    // The pieces of shape() and levels(), on their own for the settings
    // check, with the same limits and messages: a grid side setting, the
    // number of players for a grid of width x height, one level setting.
    static int gridSide(const char* key);
    static int playerCount(int width, int height);
    static int readLevel(const std::string& key);
};

} // namespace Tool
