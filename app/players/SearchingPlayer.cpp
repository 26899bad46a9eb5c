#include "SearchingPlayer.h"

#include <algorithm>

#include "GridSearch.h"
#include "SpaceFiller.h"
#include "app/match/Headings.h"

namespace Tool {

int SearchingPlayer::nodesFor(long work, int cells)
{
    const long nodes = work / std::max(cells, 1);
    return static_cast<int>(std::min<long>(std::max<long>(nodes, MIN_NODES), MAX_NODES));
}

int SearchingPlayer::decide(const GridSnapshot& grid, int self, const Preference& preference,
                            long work, int cellBudget)
{
    depth = 0;
    nodes = 0;
    const GridSearch::Surroundings around = search.lookAround(grid, self, cellBudget, true);
    int open = 0;
    for (bool free : around.open) {
        open += free ? 1 : 0;
    }
    if (open <= 1) {
        // Nothing to weigh: the one way on, or the classic choice into a wall.
        for (int heading : preference.order) {
            if (around.open[heading]) {
                return heading;
            }
        }
        return preference.order[0];
    }
    if (around.opponents > 0) {
        return duel(grid, self, around.players[0], preference, work, cellBudget);
    }
    if (!around.exhausted) {
        return level1.choose(grid, self, around, preference, false);
    }
    if (work < FILL_COST * MIN_NODES * static_cast<long>(search.seenCount())) {
        // Too large a region for this decision's share of the work (many
        // players in): the wall-hugging fill of level 1.
        return level1.choose(grid, self, around, preference, true);
    }
    return fill(grid, self, preference, work, cellBudget);
}

int SearchingPlayer::openMoves(const GridSnapshot& grid, int self, const Preference& preference,
                               int* moves, int* headings) const
{
    const PlayerHead& me = grid.heads[self];
    int count = 0;
    for (int heading : preference.order) {
        const int x = me.x + STEP_X[heading];
        const int y = me.y + STEP_Y[heading];
        if (grid.isFree(x, y) && board.inWindow(x, y)) {
            moves[count] = board.cellAt(x, y);
            headings[count++] = heading;
        }
    }
    return count;
}

int SearchingPlayer::duel(const GridSnapshot& grid, int self, int opponent,
                          const Preference& preference, long work, int cellBudget)
{
    const PlayerHead& me = grid.heads[self];
    const PlayerHead& other = grid.heads[opponent];
    // With little work to share, a scoring reaches fewer cells, and the
    // copy takes in less around the heads.
    const int evalBudget =
        static_cast<int>(std::min<long>(std::min(cellBudget, EVALUATION_BUDGET), work / MIN_NODES));
    const int margin = std::max(MIN_MARGIN, MARGIN * evalBudget / EVALUATION_BUDGET);
    board.load(grid, std::min(me.x, other.x) - margin, std::min(me.y, other.y) - margin,
               std::max(me.x, other.x) + margin, std::max(me.y, other.y) + margin);
    board.place(0, board.cellAt(me.x, me.y));
    board.place(1, board.cellAt(other.x, other.y));
    int moves[4];
    int headings[4];
    const int count = openMoves(grid, self, preference, moves, headings);
    if (count == 0) {
        return preference.order[0];
    }
    const int nodeBudget = nodesFor(work, std::min(board.freeCells(), evalBudget));
    // Within a step the lower player number moves first.
    const int choice =
        duelSearch.decide(board, self < opponent, moves, count, nodeBudget, evalBudget);
    depth = duelSearch.lastDepth();
    nodes = duelSearch.lastNodes();
    return headings[choice];
}

int SearchingPlayer::fill(const GridSnapshot& grid, int self, const Preference& preference,
                          long work, int cellBudget)
{
    // The copy spans the region the look around has just walked.
    const int* cells = search.seenCells();
    int x0 = grid.width;
    int y0 = grid.height;
    int x1 = 0;
    int y1 = 0;
    for (int i = 0; i < search.seenCount(); ++i) {
        const int x = cells[i] % grid.width;
        const int y = cells[i] / grid.width;
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    }
    const PlayerHead& me = grid.heads[self];
    board.load(grid, std::min(x0, me.x), std::min(y0, me.y), std::max(x1, me.x),
               std::max(y1, me.y));
    board.place(0, board.cellAt(me.x, me.y));
    board.place(1, board.cellAt(me.x, me.y));
    int moves[4];
    int headings[4];
    const int count = openMoves(grid, self, preference, moves, headings);
    if (count == 0) {
        return preference.order[0];
    }
    const int nodeBudget = nodesFor(work, FILL_COST * search.seenCount());
    const int choice = filler.decide(board, moves, count, nodeBudget, cellBudget);
    depth = filler.lastDepth();
    nodes = filler.lastNodes();
    return headings[choice];
}

} // namespace Tool
