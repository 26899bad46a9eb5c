#pragma once

#include <cstdint>
#include <vector>

#include "DuelBoard.h"
#include "Territory.h"

namespace Tool {

// The distance race of two heads on a DuelBoard, bit-parallel: each side's
// frontier is a set of bits per row, and one layer of the race is a few
// shifts, ors and ands per 64-bit word over the rows the frontiers span.
// A layer costs the same however many cells it claims, so the race is
// cheapest where the free space is wide and open. Owns its frontiers.
class BitRace {
public:
    // Races board heads first and 1 - first outward, at most budget cells
    // claimed in all (whole layers: the last may go past it).
    const Territory& run(const DuelBoard& board, int first, int budget);

private:
    void spread(const std::uint64_t* from, std::uint64_t* into, int y) const;
    void label(int width);

    int words = 0;
    int height = 0;
    Territory result;
    std::vector<std::uint64_t> owned[2];
    std::vector<std::uint64_t> frontier[2];
    std::vector<std::uint64_t> next[2];
    std::vector<std::uint64_t> taken;
    std::vector<std::uint64_t> scratch;
};

} // namespace Tool
