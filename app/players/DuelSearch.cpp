#include "DuelSearch.h"

#include <algorithm>

#include "QueueRace.h"

namespace Tool {

namespace {

constexpr long WIN = 1000000;
// A draw is no win: worse than any position still in play, better than a loss.
constexpr long DRAW = -WIN / 2;
constexpr long INFINITE = 2 * WIN;
// Walled apart, the side with more room to walk wins: above any race lead.
constexpr long APART = WIN / 8;
constexpr int MAX_DEPTH = 100;

} // namespace

int DuelSearch::decide(DuelBoard& on, bool first, const int* moves, int count, int nodeBudget,
                       int cellBudget)
{
    board = &on;
    selfFirst = first;
    budget = nodeBudget;
    evalBudget = cellBudget;
    nodes = 0;
    depthReached = 0;
    table.clear();
    int order[4];
    std::copy(moves, moves + count, order);
    int best = 0;
    for (int depth = 1; depth <= MAX_DEPTH; ++depth) {
        outOfNodes = false;
        int choice = 0;
        const long score = searchRoot(depth, order, count, choice);
        if (outOfNodes) {
            break;
        }
        depthReached = depth;
        const int chosen = order[choice];
        best = static_cast<int>(std::find(moves, moves + count, chosen) - moves);
        // The next round tries this round's choice first.
        std::rotate(order, order + choice, order + choice + 1);
        // A forced result does not change with more depth.
        if (score >= WIN / 2 || score <= DRAW) {
            break;
        }
    }
    return best;
}

long DuelSearch::searchRoot(int depth, const int* order, int count, int& best)
{
    long alpha = -INFINITE;
    const int from = board->head(0);
    for (int i = 0; i < count; ++i) {
        board->move(0, order[i]);
        const long value = -negamax(1, depth - 1, -INFINITE, -alpha);
        board->undo(0, from);
        if (outOfNodes) {
            return 0;
        }
        if (value > alpha) {
            alpha = value;
            best = i;
        }
    }
    return alpha;
}

long DuelSearch::negamax(int ply, int depth, long alpha, long beta)
{
    const int mover = ply & 1;
    int moves[4];
    const int count = board->freeMoves(board->head(mover), moves);
    if (count == 0) {
        return terminal(ply);
    }
    if (++nodes > budget) {
        outOfNodes = true;
        return 0;
    }
    if (depth == 0) {
        return evaluate(mover);
    }
    // A position's taken cells fix whose move it is and at which ply, so
    // its hash alone tells positions (and their scores) apart.
    const std::uint64_t key = board->hash();
    int first = -1;
    if (const TranspositionTable::Entry* entry = table.find(key)) {
        first = entry->move < count ? entry->move : -1;
        if (entry->depth >= depth) {
            const long score = entry->score;
            if (entry->bound == TranspositionTable::EXACT) {
                return score;
            }
            alpha = entry->bound == TranspositionTable::LOWER ? std::max(alpha, score) : alpha;
            beta = entry->bound == TranspositionTable::UPPER ? std::min(beta, score) : beta;
            if (alpha >= beta) {
                return score;
            }
        }
    }
    const long floor = alpha;
    long best = -INFINITE;
    int bestMove = -1;
    const int from = board->head(mover);
    for (int k = -1; k < count; ++k) {
        // The table's move first, then the rest in heading order.
        const int i = k < 0 ? first : k;
        if (i < 0 || (k >= 0 && i == first)) {
            continue;
        }
        board->move(mover, moves[i]);
        const long value = -negamax(ply + 1, depth - 1, -beta, -alpha);
        board->undo(mover, from);
        if (outOfNodes) {
            return 0;
        }
        if (value > best) {
            best = value;
            bestMove = i;
        }
        alpha = std::max(alpha, value);
        if (alpha >= beta) {
            break;
        }
    }
    const TranspositionTable::Bound bound = best <= floor  ? TranspositionTable::UPPER
                                            : best >= beta ? TranspositionTable::LOWER
                                                           : TranspositionTable::EXACT;
    table.store(key, static_cast<int>(best), depth, bound, bestMove);
    return best;
}

long DuelSearch::terminal(int ply) const
{
    // The mover is boxed in and out. The other wins, unless it still has to
    // move in this same step and is boxed in as well.
    const int mover = ply & 1;
    int moves[4];
    if (moverFirstInStep(mover) && board->freeMoves(board->head(1 - mover), moves) == 0) {
        // Scores are the mover's: the opponent is taken to want a draw as
        // little as this player does.
        return mover == 0 ? DRAW : -DRAW;
    }
    // Sooner losses are worse, later ones leave the opponent room to err.
    return -WIN + ply;
}

long DuelSearch::evaluate(int mover)
{
    // The mover moves next, so it wins the cells both reach equally soon.
    const Territory& split = race.run(*board, mover, evalBudget);
    if (split.contact) {
        // Still in one region: the race decides.
        return static_cast<long>(split.cells[0]) - split.cells[1];
    }
    // Walled apart: each walks its own region, cut points and colours
    // bounding the walk; more room wins.
    const int mine = cuts.reach(*board, board->head(mover), split.side.data(), 0, evalBudget);
    int walked = cuts.lastWalked();
    const int theirs = cuts.reach(*board, board->head(1 - mover), split.side.data(), 1, evalBudget);
    walked += cuts.lastWalked();
    // The walks cost about twice a race per cell, and may walk a region
    // more than once: charged as nodes, so the budget holds whatever the
    // regions look like.
    nodes += 2 * walked / std::max(1, split.cells[0] + split.cells[1]);
    const long lead = static_cast<long>(mine) - theirs;
    if (lead == 0) {
        return 0;
    }
    return lead > 0 ? APART + lead : lead - APART;
}

} // namespace Tool
