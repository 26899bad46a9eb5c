#pragma once

#include "CutPoints.h"
#include "DuelBoard.h"

namespace Tool {

// Level 4 alone in its region: fills it as far as it can. It searches its
// own lines of moves depth first, one move deeper each round, and scores a
// line by the moves it made plus what its cut points and colours leave
// reachable at its end (CutPoints). A line that reaches that bound cannot
// be beaten and ends the search of its branch. Moves along more blocked
// cells are tried first, so the first line is a tight fill. Small regions
// are searched to their end, which finds the longest walk there is; large
// ones as deep as the node budget allows. The budget is a count of nodes,
// and the last complete round decides.
class EndgameFiller {
public:
    // The index, among moves (board cells next to head 0, in order of
    // preference), of the move that fills most.
    int decide(DuelBoard& board, const int* moves, int count, int nodeBudget, int evalBudget);

    int lastDepth() const { return depthReached; }
    int lastNodes() const { return nodes; }

private:
    int longest(int depth);
    int sortedMoves(int* moves);

    DuelBoard* board = nullptr;
    CutPoints cuts;
    int budget = 0;
    int evalBudget = 0;
    int nodes = 0;
    bool outOfNodes = false;
    // Some line of this round stopped at the depth, not at a dead end.
    bool cutShort = false;
    int depthReached = 0;
};

} // namespace Tool
