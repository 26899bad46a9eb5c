#pragma once

#include <vector>

#include "GridSearch.h"
#include "GridSnapshot.h"
#include "LookaheadPlayer.h"
#include "SearchingPlayer.h"
#include "SpaceFiller.h"
#include "TerritoryPlayer.h"

namespace Tool {

// The stronger computer players of a match and the level each seat plays
// (0 is the classic decision, which the match makes itself). Levels 1 to 4
// decide here, from the heading the classic decision would take and
// the match as it stands. Owns the four levels and the search scratch they
// share; one decision runs at a time.
class ComputerPlayers {
public:
    static constexpr int MAX_LEVEL = 4;
    // Cells one search of a decision may visit: enough for the whole of a
    // 80 x 60 arena. When more than STEP_SHARE computer players of level 1
    // or higher are in, they split STEP_SHARE times this among them, down to
    // MIN_CELL_BUDGET each, so that a step stays bounded however many play.
    static constexpr int CELL_BUDGET = 6000;
    static constexpr int STEP_SHARE = 16;
    static constexpr int MIN_CELL_BUDGET = 64;
    // Level 4's work per step: with more than STEP_WORK_SHARE players of
    // level 4 in, each gets its share of STEP_WORK_SHARE times a full
    // decision's work (SearchingPlayer::DECISION_WORK).
    static constexpr int STEP_WORK_SHARE = 2;

    ComputerPlayers();
    ComputerPlayers(const ComputerPlayers&) = delete;
    ComputerPlayers& operator=(const ComputerPlayers&) = delete;

    // The level of every seat (0 for human seats), as the match's setup
    // gives them.
    void setLevels(const std::vector<int>& seatLevels);
    // The level of a player: 0 for the classic decision and for human seats.
    int levelOf(int player) const;
    // Readies the shared search for a match on this grid, forgetting what
    // the last match (or the steps a restore undid) left in it: a decision
    // then depends only on the match as it stands.
    void startMatch(const GridSnapshot& grid);

    // The heading player self takes, at its level (1 or higher); classic is
    // the heading the classic decision chose, which wins every tie.
    int decide(const GridSnapshot& grid, int self, int classic);

    const LookaheadPlayer& lookahead() const { return level3; }
    const SearchingPlayer& searching() const { return level4; }

    // The tie-break order of a player heading this way whose classic
    // decision chose classic.
    static Preference preferenceFrom(int heading, int classic);

private:
    int cellBudget(const GridSnapshot& grid);
    void shareBudgets(const GridSnapshot& grid);

    std::vector<int> levels;
    GridSearch search;
    SpaceFiller level1;
    TerritoryPlayer level2;
    LookaheadPlayer level3;
    SearchingPlayer level4;
    unsigned long budgetStep;
    bool budgetKnown;
    int budget;
    long work;
};

} // namespace Tool
