#pragma once

#include <cstdint>
#include <vector>

namespace Tool {

// What a search learned about the positions it met, by their hash: the
// score found, how deep below it was searched, whether that score is exact
// or only a bound, and the best move. Lives for one decision: clear() makes
// every entry stale at once (a stamp per entry), so nothing reaches the
// next decision, and a decision made again from the same state finds the
// same table. Fixed size, allocated once; a newer entry replaces an older
// one in its slot.
class TranspositionTable {
public:
    enum Bound : std::uint8_t { EXACT, LOWER, UPPER };

    struct Entry {
        std::uint64_t key;
        std::int32_t score;
        std::uint32_t stamp;
        std::int8_t depth;
        Bound bound;
        std::int8_t move; // index of the best move among the free moves, -1 for none
    };

    static constexpr int SLOTS = 1 << 14;

    TranspositionTable() : entries(SLOTS, Entry{0, 0, 0, 0, EXACT, -1}) {}

    void clear();
    // The entry for key from this decision, or nullptr.
    const Entry* find(std::uint64_t key) const;
    void store(std::uint64_t key, int score, int depth, Bound bound, int move);

private:
    std::vector<Entry> entries;
    std::uint32_t current = 0;
};

} // namespace Tool
