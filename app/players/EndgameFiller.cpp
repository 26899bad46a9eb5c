#include "EndgameFiller.h"

#include <algorithm>

namespace Tool {

namespace {

constexpr int MAX_DEPTH = 1000;

} // namespace

int EndgameFiller::decide(DuelBoard& on, const int* moves, int count, int nodeBudget,
                          int cellBudget)
{
    board = &on;
    budget = nodeBudget;
    evalBudget = cellBudget;
    nodes = 0;
    depthReached = 0;
    int best = 0;
    const int from = board->head(0);
    for (int depth = 1; depth <= MAX_DEPTH; ++depth) {
        outOfNodes = false;
        cutShort = false;
        int choice = 0;
        int most = -1;
        for (int i = 0; i < count && !outOfNodes; ++i) {
            board->move(0, moves[i]);
            const int filled = 1 + longest(depth - 1);
            board->undo(0, from);
            if (filled > most) {
                most = filled;
                choice = i;
            }
        }
        if (outOfNodes) {
            break;
        }
        best = choice;
        depthReached = depth;
        if (!cutShort) {
            break; // every line was played to its end: the choice is exact
        }
    }
    return best;
}

int EndgameFiller::sortedMoves(int* moves)
{
    const int count = board->freeMoves(board->head(0), moves);
    // Along walls and trails first: a tight fill leaves no pocket behind.
    std::stable_sort(moves, moves + count, [this](int a, int b) {
        return board->blockedAround(a) > board->blockedAround(b);
    });
    return count;
}

int EndgameFiller::longest(int depth)
{
    int moves[4];
    const int count = sortedMoves(moves);
    if (count == 0) {
        return 0;
    }
    if (++nodes > budget) {
        outOfNodes = true;
        return 0;
    }
    const int head = board->head(0);
    const int bound = cuts.reach(*board, head, nullptr, 0, evalBudget);
    if (depth == 0) {
        cutShort = true;
        return bound;
    }
    int most = 0;
    for (int i = 0; i < count && most < bound && !outOfNodes; ++i) {
        board->move(0, moves[i]);
        most = std::max(most, 1 + longest(depth - 1));
        board->undo(0, head);
    }
    return most;
}

} // namespace Tool
