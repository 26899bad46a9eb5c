#pragma once

#include "DuelBoard.h"
#include "DuelSearch.h"
#include "EndgameFiller.h"
#include "GridSnapshot.h"

namespace Tool {

class GridSearch;
class SpaceFiller;

// Computer player level 4: searches for real. With an opponent in its
// region it plays the duel against the nearest one (DuelSearch) on a copy
// of the grid around the two of them; every other player counts as the
// walls it is now. Alone in a region it has seen to the end it fills the
// region to the limit (EndgameFiller); alone in a region larger than its
// look reaches, it fills as level 1 does. The copy, the search and its
// table are its own; the shared search and level 1 are not.
class SearchingPlayer {
public:
    // The work one decision may do with the step to itself, in cells that
    // its scorings visit. A search's node budget is this divided by the
    // cells of the region it plays in (as far as one scoring reaches), so
    // that a decision costs about the same in an open arena, where few
    // nodes are searched, as in a small region, where many are; the count
    // comes from the position alone, never from the clock.
    static constexpr long DECISION_WORK = 130000;
    // Nodes a search may spend at least, and at most.
    static constexpr int MIN_NODES = 8;
    static constexpr int MAX_NODES = 20000;
    // A filling node walks the region from each way out of the head: its
    // work is about this many times the region's cells.
    static constexpr int FILL_COST = 3;
    // Cells the race and the cut points that score a position may reach.
    static constexpr int EVALUATION_BUDGET = 6000;
    // Cells around the two heads that the duel's copy of the grid takes in:
    // all of the shipped grid, so that a position's score does not change
    // with where the copy's edges fall.
    static constexpr int MARGIN = 80;
    static constexpr int MIN_MARGIN = 16;

    SearchingPlayer(GridSearch& search, SpaceFiller& level1) : search(search), level1(level1) {}

    // work: this decision's share of the step's work (DECISION_WORK when it
    // has the step to itself); cellBudget: the cells its looks may reach.
    int decide(const GridSnapshot& grid, int self, const Preference& preference, long work,
               int cellBudget);

    // The depth and nodes of the last decision's search (0 when it had
    // nothing to weigh).
    int lastDepth() const { return depth; }
    int lastNodes() const { return nodes; }

private:
    int duel(const GridSnapshot& grid, int self, int opponent, const Preference& preference,
             long work, int cellBudget);
    int fill(const GridSnapshot& grid, int self, const Preference& preference, long work,
             int cellBudget);
    static int nodesFor(long work, int cells);
    int openMoves(const GridSnapshot& grid, int self, const Preference& preference, int* moves,
                  int* headings) const;

    GridSearch& search;
    SpaceFiller& level1;
    DuelBoard board;
    DuelSearch duelSearch;
    EndgameFiller filler;
    int depth = 0;
    int nodes = 0;
};

} // namespace Tool
