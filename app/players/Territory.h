#pragma once

#include <cstdint>
#include <vector>

namespace Tool {

// The outcome of a distance race between the two heads of a DuelBoard:
// how many free cells each reaches first (the first head wins equal
// distances), and which ones: side[cell] is 0 or 1 for a claimed cell
// (each head is its side's, though not in its count), NONE for the rest.
struct Territory {
    static constexpr std::uint8_t NONE = 0xFF;

    int cells[2] = {0, 0};
    // A cell of one side (or its head) borders a cell of the other side
    // (or its head): the two share a region. Always set when incomplete.
    bool contact = false;
    // Every reachable cell was claimed within the budget.
    bool complete = true;
    std::vector<std::uint8_t> side;
};

} // namespace Tool
