#pragma once

#include <vector>

#include "GridSnapshot.h"

namespace Tool {

class GridSearch;
class SpaceFiller;

// Computer player level 3: looks ahead. Against the nearest opponent in its
// region it searches the moves of both, in the order the match plays them,
// with alpha-beta pruning and iterative deepening: one move deeper each
// round, until a round would exceed the node budget (the last complete
// round decides, so the result never depends on the clock). Positions at
// the search's edge are scored by level 2's distance race; a player left
// without a free cell loses, or draws when the other is boxed in too in the
// same step. Other players count as the walls they are now. With no
// opponent in its region it fills the region as level 1 does. The search's
// grid and bookkeeping are its own; the shared search and level 1 are not.
class LookaheadPlayer {
public:
    // Search nodes (moves tried and positions scored) a decision may spend.
    static constexpr int NODE_BUDGET = 24;
    // Cells the distance race that scores a position may claim.
    static constexpr int EVALUATION_BUDGET = 2000;

    LookaheadPlayer(GridSearch& search, SpaceFiller& level1) : search(search), level1(level1) {}

    int decide(const GridSnapshot& grid, int self, const Preference& preference, int budget);

    // The depth of the last complete round of the last decision (0 when it
    // did not search), and the nodes it spent.
    int lastDepth() const { return depthReached; }
    int lastNodes() const { return nodes; }

private:
    long negamax(int ply, int depth, long alpha, long beta);
    long terminal(int ply) const;
    long evaluate(int mover);
    int freeMoves(int cell, int* moves) const;
    bool moverFirstInStep(int mover) const { return (mover == 0) == selfMovesFirst; }
    int searchRoot(int depth, int firstHeading, const Preference& preference, long& score);

    void play(int mover, int cell);
    void takeBack(int mover, int from);

    GridSearch& search;
    SpaceFiller& level1;
    const unsigned char* cells = nullptr;
    // The cells the searched line of moves has taken so far, in order, and
    // the same as a mark per grid cell (kept all zero between decisions).
    std::vector<int> line;
    std::vector<unsigned char> taken;
    int steps[4] = {0, 0, 0, 0};
    int position[2] = {0, 0}; // cell of this player (0) and of its opponent (1)
    bool selfMovesFirst = true;
    int budget = 0;
    int nodes = 0;
    bool outOfNodes = false;
    int depthReached = 0;
};

} // namespace Tool
