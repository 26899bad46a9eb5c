#pragma once

#include <array>
#include <string>

namespace CFG {

// The expanded values of a store's recent outer lookups, so that a value
// the game reads again and again (a step time after every step) costs one
// hashed slot instead of a full lookup. Every change to any store advances
// one process-wide revision, and a remembered value counts only while the
// revision it was found at is still current: a read sees exactly what a
// full lookup would. Holds copies of keys and values, a fixed number.
class LookupCache {
public:
    // Called by every change to any store's tables.
    static void storesChanged();

    // The remembered value of key, or null.
    const std::string* find(const std::string& key) const;
    void remember(const std::string& key, const std::string& value);

private:
    struct Slot {
        std::string key;
        std::string value;
        unsigned long revision = 0;
    };

    static constexpr std::size_t SLOTS = 32;

    std::array<Slot, SLOTS> slots;
};

} // namespace CFG
