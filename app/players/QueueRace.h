#pragma once

#include <vector>

#include "DuelBoard.h"
#include "Territory.h"

namespace Tool {

// The distance race of two heads on a DuelBoard by a breadth-first queue,
// as level 2 runs it: every claimed cell is one queue entry, so the race
// costs what it claims. The bit-parallel race (BitRace) gives the same
// territories; the benchmark weighs the two. Owns its queue.
class QueueRace {
public:
    // Races board heads first and 1 - first outward, at most budget cells
    // claimed in all.
    const Territory& run(const DuelBoard& board, int first, int budget);

private:
    void claim(int cell, std::uint8_t side);

    Territory result;
    std::vector<int> queue;
};

} // namespace Tool
