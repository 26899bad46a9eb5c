#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "CFG/KeyedHash.h"

namespace CFG {

class SettingsTable;

// One entry of a settings table. A plain entry holds its value as read; a
// selection entry holds the name of its selector key in value and owns its
// choices. expands tells whether value has anything for a lookup to expand
// (SettingsLookup::needsExpansion), noted whenever the table stores a value
// so that a read of a plain value need not look through it.
struct SettingsNode {
    std::string value;
    std::unique_ptr<SettingsTable> choices;
    bool expands = false;
};

// The entries of one settings store or of one selection block: an ordered
// map by key in ascending byte order (the order keys are listed in), with a
// hash index beside it so that finding a key costs one hash of the key and
// about one comparison, however many entries the table holds. The index
// points into the map and is kept in step with it by every change, so a
// lookup always sees what the table holds now.
class SettingsTable {
public:
    using Entries = std::map<std::string, SettingsNode, std::less<>>;

    SettingsTable() = default;
    SettingsTable(const SettingsTable&) = delete;
    SettingsTable& operator=(const SettingsTable&) = delete;

    // The hash find expects for key: SipHash under a per-process random key
    // (KeyedHash), so that no file can choose keys that share a probe chain.
    static std::size_t hashOf(std::string_view key)
    {
        return static_cast<std::size_t>(KeyedHash::of(key));
    }

    // A find looks at most this many slots past a key's own; a key that
    // would sit further is kept in the map only, and the table then asks
    // the map for any key the index does not hold.
    static constexpr std::size_t MAX_PROBE = 32;

    // The node stored under key, or null.
    const SettingsNode* find(std::string_view key) const { return find(key, hashOf(key)); }
    // Inlined into every read: the probe bound must not cost a call.
    [[gnu::always_inline]] const SettingsNode* find(std::string_view key, std::size_t hash) const
    {
        if (slots.empty()) {
            return nullptr;
        }
        const std::size_t home = hash & mask;
        for (std::size_t at = home;; at = (at + 1) & mask) {
            const Slot& slot = slots[at];
            if (slot.entry == nullptr) {
                break;
            }
            if (slot.hash == hash && sameText(slot.entry->first, key)) {
                return &slot.entry->second;
            }
            if (((at - home) & mask) == MAX_PROBE) {
                break;
            }
        }
        return unindexed == 0 ? nullptr : findInMap(key);
    }
    // The node under key with value as its value and no choices, replacing
    // (and deleting) whatever node the key had.
    SettingsNode& store(std::string_view key, std::string value);
    void clear();

    // How many entries the index could not place within MAX_PROBE of their
    // own slot (zero unless the hash is defeated).
    std::size_t unindexedEntries() const { return unindexed; }

    bool empty() const { return entries.empty(); }
    std::size_t size() const { return entries.size(); }
    Entries::const_iterator begin() const { return entries.begin(); }
    Entries::const_iterator end() const { return entries.end(); }

private:
    template <typename Word>
    static Word load(const char* at)
    {
        Word word;
        std::memcpy(&word, at, sizeof word);
        return word;
    }
    // a == b, without a library call for texts of up to sixteen bytes.
    static bool sameText(std::string_view a, std::string_view b)
    {
        const std::size_t size = a.size();
        if (size != b.size()) {
            return false;
        }
        if (size > 16 || size < 4) {
            return a == b;
        }
        if (size >= 8) {
            return load<std::uint64_t>(a.data()) == load<std::uint64_t>(b.data()) &&
                   load<std::uint64_t>(a.data() + size - 8) ==
                       load<std::uint64_t>(b.data() + size - 8);
        }
        return load<std::uint32_t>(a.data()) == load<std::uint32_t>(b.data()) &&
               load<std::uint32_t>(a.data() + size - 4) == load<std::uint32_t>(b.data() + size - 4);
    }
    struct Slot {
        std::size_t hash;
        Entries::value_type* entry;
    };

    const SettingsNode* findInMap(std::string_view key) const;
    void insertSlot(const Slot& slot);
    void growIndex();

    Entries entries;
    // Open addressing with linear probing; the size is a power of two, and
    // at most a quarter of the slots are used (half in tables of thousands
    // of entries). A slot with no entry is free.
    std::vector<Slot> slots;
    std::size_t mask = 0;
    std::size_t unindexed = 0;
};

} // namespace CFG
