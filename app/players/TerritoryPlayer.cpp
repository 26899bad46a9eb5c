#include "TerritoryPlayer.h"

#include "GridSearch.h"
#include "SpaceFiller.h"

namespace Tool {

int TerritoryPlayer::decide(const GridSnapshot& grid, int self, const Preference& preference,
                            int budget)
{
    // Opponents first: they take the cells both reach in as many moves.
    int sources[GridSearch::MAX_OPPONENTS + 1];
    const int opponents = listOpponents(grid, self, budget, sources);
    const PlayerHead& me = grid.heads[self];
    const int from = grid.index(me.x, me.y);
    const int* steps = search.steps();
    int open = 0;
    for (int h = 0; h < 4; ++h) {
        open += grid.cells[from + steps[h]] == 0 ? 1 : 0;
    }
    if (opponents == 0 || open <= 1) {
        return level1.decide(grid, self, preference, budget);
    }

    const int raceBudget = budget < RACE_BUDGET ? budget : RACE_BUDGET;
    int best = preference.order[0];
    long bestScore = 0;
    bool found = false;
    bool shared = false;
    for (int rank = 0; rank < 4; ++rank) {
        const int heading = preference.order[rank];
        const int cell = from + steps[heading];
        if (grid.cells[cell] != 0) {
            continue;
        }
        sources[opponents] = cell;
        const GridSearch::Race race =
            search.raceWithContact(grid.cells, sources, opponents + 1, opponents, raceBudget);
        shared = shared || race.contact || !race.complete;
        const long score = static_cast<long>(race.mine) - race.theirs;
        if (!found || score > bestScore) {
            found = true;
            bestScore = score;
            best = heading;
        }
    }
    // Walled off from everyone: only the filling counts now.
    return shared ? best : level1.decide(grid, self, preference, budget);
}

int TerritoryPlayer::listOpponents(const GridSnapshot& grid, int self, int budget, int* sources)
{
    int live = 0;
    for (int k = 0; k < grid.headCount && live <= GridSearch::MAX_OPPONENTS; ++k) {
        live += k != self && grid.heads[k].alive ? 1 : 0;
    }
    int count = 0;
    if (live <= GridSearch::MAX_OPPONENTS) {
        for (int k = 0; k < grid.headCount; ++k) {
            const PlayerHead& head = grid.heads[k];
            if (k != self && head.alive) {
                sources[count++] = grid.index(head.x, head.y);
            }
        }
        return count;
    }
    // Many players: the nearest of them, within the reach of a race.
    const GridSearch::Surroundings around =
        search.lookAround(grid, self, budget < RACE_BUDGET ? budget : RACE_BUDGET);
    for (int i = 0; i < around.opponents; ++i) {
        const PlayerHead& head = grid.heads[around.players[i]];
        sources[count++] = grid.index(head.x, head.y);
    }
    return count;
}

} // namespace Tool
