#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

    // The hash find expects for key. Inline, and a few multiplications
    // for a key of up to sixteen bytes, because a settings read hashes its
    // key once per store it asks.
    static std::size_t hashOf(std::string_view key)
    {
        const std::size_t size = key.size();
        const char* data = key.data();
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        if (size >= 8) {
            // Whole words, the last one ending at the key's end (it overlaps
            // the word before when the size is no multiple of eight).
            std::uint64_t hash = size;
            for (std::size_t at = 0; at + 16 < size; at += 8) {
                hash = mix(hash, load<std::uint64_t>(data + at));
            }
            first = hash ^ load<std::uint64_t>(data + (size > 16 ? size - 16 : 0));
            last = load<std::uint64_t>(data + size - 8);
        } else if (size >= 4) {
            first = load<std::uint32_t>(data);
            last = load<std::uint32_t>(data + size - 4);
        } else if (size > 0) {
            first = static_cast<unsigned char>(data[0]) | size << 8;
            last = static_cast<unsigned char>(data[size / 2]) |
                   std::uint64_t(static_cast<unsigned char>(data[size - 1])) << 8;
        }
        const std::uint64_t hash = mix(first * 0xC2B2AE3D27D4EB4Fu, last ^ size);
        return static_cast<std::size_t>(hash ^ (hash >> 32));
    }

    // The node stored under key, or null.
    const SettingsNode* find(std::string_view key) const { return find(key, hashOf(key)); }
    const SettingsNode* find(std::string_view key, std::size_t hash) const
    {
        if (slots.empty()) {
            return nullptr;
        }
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots[at];
            if (slot.entry == nullptr) {
                return nullptr;
            }
            if (slot.hash == hash && sameText(slot.entry->first, key)) {
                return &slot.entry->second;
            }
        }
    }
    // The node under key with value as its value and no choices, replacing
    // (and deleting) whatever node the key had.
    SettingsNode& store(std::string_view key, std::string value);
    void clear();

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
    static std::uint64_t mix(std::uint64_t hash, std::uint64_t word)
    {
        hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
        return hash ^ (hash >> 29);
    }

    struct Slot {
        std::size_t hash;
        Entries::value_type* entry;
    };

    void insertSlot(const Slot& slot);
    void growIndex();

    Entries entries;
    // Open addressing with linear probing; the size is a power of two, and
    // at most a quarter of the slots are used (half in tables of thousands
    // of entries). A slot with no entry is free.
    std::vector<Slot> slots;
    std::size_t mask = 0;
};

} // namespace CFG
