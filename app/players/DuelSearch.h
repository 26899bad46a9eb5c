#pragma once

#include "CutPoints.h"
#include "DuelBoard.h"
#include "QueueRace.h"
#include "TranspositionTable.h"

namespace Tool {

// Level 4's search of a duel: this player (board head 0) against one
// opponent (head 1), both moving in turn in the order the match plays them,
// by alpha-beta with iterative deepening. Each round searches one move
// deeper, trying first the move the table or the previous round found best;
// the table (of positions by the board's hash) lives for one decision. The
// budget is a count of nodes: the last complete round decides, so the
// choice never depends on the clock. A position at the search's edge is
// scored by the distance race while the two share a region; once they are
// walled apart, by the room each can still walk through (its cut points and
// colours), which settles the match above any race lead.
class DuelSearch {
public:
    // The index, among moves (board cells next to head 0, in order of
    // preference), of the best move; selfFirst says whether this player
    // moves before its opponent within a step. evalBudget bounds the cells
    // a position's scoring may claim.
    int decide(DuelBoard& board, bool selfFirst, const int* moves, int count, int nodeBudget,
               int evalBudget);

    // The depth of the last complete round of the last decision, and the
    // nodes it spent.
    int lastDepth() const { return depthReached; }
    int lastNodes() const { return nodes; }

private:
    long searchRoot(int depth, const int* order, int count, int& best);
    long negamax(int ply, int depth, long alpha, long beta);
    long terminal(int ply) const;
    long evaluate(int mover);
    bool moverFirstInStep(int mover) const { return (mover == 0) == selfFirst; }

    DuelBoard* board = nullptr;
    TranspositionTable table;
    // The queue race: on this game's winding territories it beats the
    // bit-parallel one (see the benchmark DuelRace).
    QueueRace race;
    CutPoints cuts;
    bool selfFirst = true;
    int budget = 0;
    int evalBudget = 0;
    int nodes = 0;
    bool outOfNodes = false;
    int depthReached = 0;
};

} // namespace Tool
