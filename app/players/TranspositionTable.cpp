#include "TranspositionTable.h"

namespace Tool {

void TranspositionTable::clear()
{
    if (++current == 0) {
        // Stamps have run out: wipe them all once.
        for (Entry& entry : entries) {
            entry.stamp = 0;
        }
        current = 1;
    }
}

const TranspositionTable::Entry* TranspositionTable::find(std::uint64_t key) const
{
    const Entry& entry = entries[key & (SLOTS - 1)];
    return entry.stamp == current && entry.key == key ? &entry : nullptr;
}

void TranspositionTable::store(std::uint64_t key, int score, int depth, Bound bound, int move)
{
    Entry& entry = entries[key & (SLOTS - 1)];
    // Within a decision a deeper result for another position is kept.
    if (entry.stamp == current && entry.key != key && entry.depth > depth) {
        return;
    }
    entry = Entry{key,     score,
                  current, static_cast<std::int8_t>(depth),
                  bound,   static_cast<std::int8_t>(move)};
}

} // namespace Tool
