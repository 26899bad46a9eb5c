#include "LookaheadPlayer.h"

#include "GridSearch.h"
#include "SpaceFiller.h"

namespace Tool {

namespace {

constexpr long WIN = 1000000;
// A draw is no win: for this player worse than any position still in play,
// better than a loss.
constexpr long DRAW = -WIN / 2;
constexpr long INFINITE = 2 * WIN;
// Rounds stop here even with nodes to spare: the grid is filled long before.
constexpr int MAX_DEPTH = 64;

} // namespace

int LookaheadPlayer::decide(const GridSnapshot& grid, int self, const Preference& preference,
                            int cellBudget)
{
    depthReached = 0;
    nodes = 0;
    const GridSearch::Surroundings around = search.lookAround(grid, self, cellBudget, true);
    if (around.opponents == 0) {
        return level1.choose(grid, self, around, preference, around.exhausted);
    }
    const int opponent = around.players[0];
    cells = grid.cells;
    const std::size_t size = static_cast<std::size_t>(grid.width) * grid.height;
    if (taken.size() != size) {
        taken.assign(size, 0);
    }
    line.clear();
    for (int h = 0; h < 4; ++h) {
        steps[h] = search.steps()[h];
    }
    position[0] = grid.index(grid.heads[self].x, grid.heads[self].y);
    position[1] = grid.index(grid.heads[opponent].x, grid.heads[opponent].y);
    selfMovesFirst = self < opponent;
    budget = cellBudget < EVALUATION_BUDGET ? cellBudget : EVALUATION_BUDGET;

    int moves[4];
    const int open = freeMoves(position[0], moves);
    if (open <= 1) {
        // Nothing to weigh: the one way on, or the classic choice into a wall.
        for (int heading : preference.order) {
            if (open == 1 && position[0] + steps[heading] == moves[0]) {
                return heading;
            }
        }
        return preference.order[0];
    }
    int best = -1;
    for (int depth = 1; depth <= MAX_DEPTH; ++depth) {
        long score = 0;
        outOfNodes = false;
        const int heading = searchRoot(depth, best, preference, score);
        if (outOfNodes) {
            break;
        }
        best = heading;
        depthReached = depth;
        // A forced result will not change with more depth.
        if (score >= WIN / 2 || score <= DRAW) {
            break;
        }
    }
    return best >= 0 ? best : preference.order[0];
}

void LookaheadPlayer::play(int mover, int cell)
{
    taken[cell] = 1;
    line.push_back(cell);
    position[mover] = cell;
}

void LookaheadPlayer::takeBack(int mover, int from)
{
    taken[line.back()] = 0;
    line.pop_back();
    position[mover] = from;
}

int LookaheadPlayer::searchRoot(int depth, int firstHeading, const Preference& preference,
                                long& score)
{
    // The previous round's choice first: it makes the most cut-offs.
    int order[4];
    int count = 0;
    if (firstHeading >= 0) {
        order[count++] = firstHeading;
    }
    for (int heading : preference.order) {
        if (heading != firstHeading) {
            order[count++] = heading;
        }
    }
    long alpha = -INFINITE;
    int best = -1;
    for (int i = 0; i < count; ++i) {
        const int heading = order[i];
        const int from = position[0];
        const int cell = from + steps[heading];
        if (cells[cell] != 0 || taken[cell] != 0) {
            continue;
        }
        play(0, cell);
        const long value = -negamax(1, depth - 1, -INFINITE, -alpha);
        takeBack(0, from);
        if (outOfNodes) {
            return best;
        }
        if (best < 0 || value > alpha) {
            alpha = value;
            best = heading;
        }
    }
    score = alpha;
    return best;
}

long LookaheadPlayer::negamax(int ply, int depth, long alpha, long beta)
{
    const int mover = ply & 1;
    int moves[4];
    const int count = freeMoves(position[mover], moves);
    if (count == 0) {
        return terminal(ply);
    }
    if (++nodes > NODE_BUDGET) {
        outOfNodes = true;
        return 0;
    }
    if (depth == 0) {
        return evaluate(mover);
    }
    long best = -INFINITE;
    for (int i = 0; i < count; ++i) {
        const int from = position[mover];
        play(mover, moves[i]);
        const long value = -negamax(ply + 1, depth - 1, -beta, -alpha);
        takeBack(mover, from);
        if (outOfNodes) {
            return 0;
        }
        if (value > best) {
            best = value;
        }
        if (value > alpha) {
            alpha = value;
        }
        if (alpha >= beta) {
            break;
        }
    }
    return best;
}

long LookaheadPlayer::terminal(int ply) const
{
    // The mover is boxed in and out. The other wins, unless it still has to
    // move in this same step and is boxed in as well.
    const int mover = ply & 1;
    if (moverFirstInStep(mover)) {
        int moves[4];
        if (freeMoves(position[1 - mover], moves) == 0) {
            // Scores are the mover's: the opponent is taken to want a draw
            // as little as this player does.
            return mover == 0 ? DRAW : -DRAW;
        }
    }
    // Sooner losses are worse, later ones leave the opponent room to err.
    return -WIN + ply;
}

long LookaheadPlayer::evaluate(int mover)
{
    // The mover moves next, so it wins the cells both reach equally soon.
    const int sources[2] = {position[mover], position[1 - mover]};
    const GridSearch::Race race =
        search.race(cells, sources, 2, 0, budget, line.data(), static_cast<int>(line.size()));
    return static_cast<long>(race.mine) - race.theirs;
}

int LookaheadPlayer::freeMoves(int cell, int* moves) const
{
    int count = 0;
    for (int h = 0; h < 4; ++h) {
        const int next = cell + steps[h];
        if (cells[next] == 0 && taken[next] == 0) {
            moves[count++] = next;
        }
    }
    return count;
}

} // namespace Tool
