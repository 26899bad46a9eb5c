#pragma once

#include "GridSearch.h"
#include "GridSnapshot.h"

namespace Tool {

// Computer player level 1: never walks into a dead end it can see. For each
// heading open to it, it counts the free cells it could still reach through
// there (one flood fill from all its free neighbours at once, of at most the
// given budget) and takes the largest room. Once no opponent shares its
// region it fills the region tightly: among headings that keep the same room
// it takes the one along most blocked cells, hugging walls and trails so
// that it leaves no pocket behind. The classic decision breaks the remaining
// ties. Uses the shared search, which it does not own.
class SpaceFiller {
public:
    explicit SpaceFiller(GridSearch& search) : search(search) {}

    int decide(const GridSnapshot& grid, int self, const Preference& preference, int budget);

    // The choice from a look around already made; levels 2 and 3 fill
    // their region this way once they are alone in it (hugWalls).
    int choose(const GridSnapshot& grid, int self, const GridSearch::Surroundings& around,
               const Preference& preference, bool hugWalls) const;

private:
    GridSearch& search;
};

} // namespace Tool
