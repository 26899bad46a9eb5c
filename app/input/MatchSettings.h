#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/match/MatchSetup.h"

namespace Tool {

struct Replay;

// Reads the parts of a match's setup that the settings give, on the game's
// side of the match model (which reads no setting itself). Every message
// names its setting ("AI_LEVEL: out of range: 7 (0 to 4)"), as the settings
// check prints it (SettingsCheck).
class MatchSettings {
public:
    // The grid and the players: "GRID_WIDTH", "GRID_HEIGHT" (3 or less
    // gives 4), "NUM_PLAYERS" (1 or less gives 2), and every seat's level
    // (levels()), so that a wrong setting is reported before a window
    // opens. Throws std::domain_error for a grid side above
    // MatchSetup::MAX_GRID_SIDE, more players than the grid has free cells,
    // or a value that is no number.
    static MatchSetup shape();

    // The level of every seat from firstComputer on (seats before it are
    // people's and play none): "AI_LEVEL" for every computer player,
    // "AI_LEVEL_P" + seat (counting from 1: "AI_LEVEL_P2" is player 1) for
    // one. Throws std::domain_error for a level outside 0 to
    // MatchSetup::MAX_LEVEL, or one that is no number.
    static std::vector<int> levels(int playerCount, int firstComputer);

    // The pieces of shape() and levels(), on their own for the settings
    // check, with the same limits and messages: a grid side setting, the
    // number of players for a grid of width x height, one level setting.
    // A value the classic game brings up to its least (a grid side of 3, one
    // player) is said on notes, which the game itself leaves quiet.
    static int gridSide(const char* key, std::ostream& notes);
    static int playerCount(int width, int height, std::ostream& notes);
    static int readLevel(const std::string& key);

    // The recorded match "REPLAY" names, null when it is not set. Throws
    // std::invalid_argument ("REPLAY: " and the file's reason) for a file
    // that cannot be read or is no replay this build plays.
    static std::unique_ptr<Replay> replay();
    // The folder "RECORD_DIR" names when the game can write files in it,
    // else "" (one line on notes for a folder that cannot be used).
    static std::string recordFolder(std::ostream& notes);
};

} // namespace Tool
