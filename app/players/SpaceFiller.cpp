#include "SpaceFiller.h"

namespace Tool {

int SpaceFiller::decide(const GridSnapshot& grid, int self, const Preference& preference,
                        int budget)
{
    const GridSearch::Surroundings around = search.lookAround(grid, self, budget);
    const bool alone = around.opponents == 0 && around.exhausted;
    return choose(grid, self, around, preference, alone);
}

int SpaceFiller::choose(const GridSnapshot& grid, int self, const GridSearch::Surroundings& around,
                        const Preference& preference, bool hugWalls) const
{
    const PlayerHead& me = grid.heads[self];
    const int from = grid.index(me.x, me.y);
    const int* steps = search.steps();
    int best = preference.order[0];
    long bestScore = -1;
    for (int rank = 0; rank < 4; ++rank) {
        const int heading = preference.order[rank];
        if (!around.open[heading]) {
            continue;
        }
        // Rooms the budget cut short are all "large enough" alike.
        long score = around.bounded[heading] ? around.room[heading] : 0x7FFFFFF;
        if (hugWalls) {
            const int cell = from + steps[heading];
            int blocked = 0;
            for (int h = 0; h < 4; ++h) {
                blocked += grid.cells[cell + steps[h]] != 0 ? 1 : 0;
            }
            score = score * 8 + blocked;
        }
        // Strictly better only: the earlier heading in the preference keeps a tie.
        if (score > bestScore) {
            bestScore = score;
            best = heading;
        }
    }
    return best;
}

} // namespace Tool
