#pragma once

#include <cstdint>
#include <vector>

#include "DuelBoard.h"
#include "Territory.h"

namespace Tool {

// The distance race of two heads on a DuelBoard by a breadth-first queue,
// as level 2 runs it: every claimed cell is one queue entry, so the race
// costs what it claims. The bit-parallel race (BitRace) gives the same
// territories; the benchmark weighs the two. Besides, it follows which of
// the head's ways out each cell was reached through, so it sees a head
// that splits its own territory (Territory::usable). Owns its queue and
// marks.
class QueueRace {
public:
    // Races board heads first and 1 - first outward, at most budget cells
    // claimed in all.
    const Territory& run(const DuelBoard& board, int first, int budget);

private:
    void claim(int cell, std::uint8_t side, std::uint8_t way);
    void join(int side, int a, int b);
    int root(int side, int way) const;
    void countUsable();

    Territory result;
    std::vector<int> queue;
    // way[cell]: the heading of the first step from its side's head on the
    // way the race reached it; ways that meet are joined (union-find).
    std::vector<std::uint8_t> way;
    int parent[2][4] = {};
    int count[2][4] = {};
};

} // namespace Tool
