#pragma once

#include <string>
#include <vector>

#include "GridSearch.h"
#include "GridSnapshot.h"
#include "LookaheadPlayer.h"
#include "SpaceFiller.h"
#include "TerritoryPlayer.h"

namespace Tool {

// The stronger computer players of a match and the level each seat plays.
// "AI_LEVEL" sets the level of every computer player, "AI_LEVEL_P" + seat
// (seats count from 1: "AI_LEVEL_P2" is player 1) overrides it for one seat;
// absent or 0 is the classic decision, which the match makes itself. Levels
// 1 to 3 decide here, from the heading the classic decision would take and
// the match as it stands. Owns the three levels and the search scratch they
// share; one decision runs at a time.
class ComputerPlayers {
public:
    static constexpr int MAX_LEVEL = 3;
    // Cells one search of a decision may visit: enough for the whole of a
    // 80 x 60 arena. When more than STEP_SHARE computer players of level 1
    // or higher are in, they split STEP_SHARE times this among them, down to
    // MIN_CELL_BUDGET each, so that a step stays bounded however many play.
    static constexpr int CELL_BUDGET = 6000;
    static constexpr int STEP_SHARE = 16;
    static constexpr int MIN_CELL_BUDGET = 64;

    ComputerPlayers();
    ComputerPlayers(const ComputerPlayers&) = delete;
    ComputerPlayers& operator=(const ComputerPlayers&) = delete;

    // Reads the level of every seat from firstComputer on (seats before it
    // are human and play no level). Throws std::invalid_argument, with a
    // message for the player, for a level outside 0 to MAX_LEVEL; a value
    // that is no number throws as every number setting does.
    void readLevels(int playerCount, int firstComputer);
    // One level setting's value; throws std::invalid_argument, naming the
    // key, for a value outside 0 to MAX_LEVEL.
    static int readLevel(const std::string& key);
    // The level of a player: 0 for the classic decision and for human seats.
    int levelOf(int player) const;
    // Readies the shared search for a match on this grid, forgetting what
    // the last match left in it.
    void startMatch(const GridSnapshot& grid);

    // The heading player self takes, at its level (1 or higher); classic is
    // the heading the classic decision chose, which wins every tie.
    int decide(const GridSnapshot& grid, int self, int classic);

    const LookaheadPlayer& lookahead() const { return level3; }

    // The tie-break order of a player heading this way whose classic
    // decision chose classic.
    static Preference preferenceFrom(int heading, int classic);

private:
    int cellBudget(const GridSnapshot& grid);

    std::vector<int> levels;
    GridSearch search;
    SpaceFiller level1;
    TerritoryPlayer level2;
    LookaheadPlayer level3;
    unsigned long budgetStep;
    bool budgetKnown;
    int budget;
};

} // namespace Tool
