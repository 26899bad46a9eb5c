#pragma once

#include "GridSnapshot.h"

namespace Tool {

class GridSearch;
class SpaceFiller;

// Computer player level 2: plays for territory. For each heading open to it
// it runs a distance race from its next cell and from the heads of the
// opponents nearest to it (at most GridSearch::MAX_OPPONENTS, found within
// the budget): a cell belongs to whoever reaches it in fewest moves, an
// opponent winning equal distances since it moves before this player's next
// move. It takes the heading that leaves it the most cells more than its
// opponents, which also cuts an opponent off when a wall or trail allows it.
// With no opponent in its region it fills the region as level 1 does; with
// none found within the budget it plays level 1. The classic decision breaks
// ties. Uses the shared search and level 1, which it does not own.
class TerritoryPlayer {
public:
    // Cells one distance race may claim: the neighbourhood that decides.
    static constexpr int RACE_BUDGET = 2000;

    TerritoryPlayer(GridSearch& search, SpaceFiller& level1) : search(search), level1(level1) {}

    int decide(const GridSnapshot& grid, int self, const Preference& preference, int budget);

private:
    // Fills sources with the heads of the opponents to race, returns how many.
    int listOpponents(const GridSnapshot& grid, int self, int budget, int* sources);

    GridSearch& search;
    SpaceFiller& level1;
};

} // namespace Tool
