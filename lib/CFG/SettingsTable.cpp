#include "CFG/SettingsTable.h"

#include "CFG/SettingsLookup.h"

namespace CFG {

namespace {

constexpr std::size_t FIRST_INDEX_SIZE = 16;
// Up to this many entries, the settings a game reads while it runs, the
// index is kept at most a quarter full, so that most keys sit at their first
// slot; beyond it at most half full, so that the index of a store near its
// size limit stays smaller than the map beside it.
constexpr std::size_t SPARSE_ENTRIES = 4096;

bool wantsLargerIndex(std::size_t entries, std::size_t slots)
{
    return (entries <= SPARSE_ENTRIES ? 4 : 2) * entries > slots;
}

} // namespace

const SettingsNode* SettingsTable::findInMap(std::string_view key) const
{
    const auto it = entries.find(key);
    return it == entries.end() ? nullptr : &it->second;
}

SettingsNode& SettingsTable::store(std::string_view key, std::string value)
{
    const bool expands = SettingsLookup::needsExpansion(value);
    auto it = entries.lower_bound(key);
    if (it != entries.end() && it->first == key) {
        it->second.value = std::move(value);
        it->second.choices.reset();
        it->second.expands = expands;
        return it->second;
    }
    it = entries.emplace_hint(it, std::string(key),
                              SettingsNode{std::move(value), nullptr, expands});
    if (wantsLargerIndex(entries.size(), slots.size())) {
        growIndex();
    }
    insertSlot(Slot{hashOf(key), &*it});
    return it->second;
}

void SettingsTable::clear()
{
    entries.clear();
    slots.clear();
    mask = 0;
    unindexed = 0;
}

void SettingsTable::insertSlot(const Slot& slot)
{
    std::size_t at = slot.hash & mask;
    for (std::size_t probe = 0; slots[at].entry != nullptr; ++probe, at = (at + 1) & mask) {
        if (probe == MAX_PROBE) {
            // Only a defeated hash gets here: the entry stays in the map,
            // where find looks for what the index lacks.
            ++unindexed;
            return;
        }
    }
    slots[at] = slot;
}

// Doubles the index (or makes the first) and moves every slot to its place
// in the new one; the map's nodes never move, so the slots stay valid.
void SettingsTable::growIndex()
{
    std::vector<Slot> old(slots.empty() ? FIRST_INDEX_SIZE : 2 * slots.size(), Slot{0, nullptr});
    old.swap(slots);
    mask = slots.size() - 1;
    // Entries the old index could not place stay in the map only.
    for (const Slot& slot : old) {
        if (slot.entry != nullptr) {
            insertSlot(slot);
        }
    }
}

} // namespace CFG
