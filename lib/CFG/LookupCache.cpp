#include "CFG/LookupCache.h"

#include <atomic>
#include <cstdint>
#include <cstring>

namespace CFG {

namespace {

// Starts above the revision of an empty slot, so that no slot counts
// before it was filled.
std::atomic<unsigned long> currentRevision{1};

// A quick mix of the key's length and its first and last eight bytes:
// enough to spread the few keys read often, and a collision only costs a
// full lookup.
std::size_t slotOf(const std::string& key, std::size_t slots)
{
    const char* text = key.data();
    const std::size_t size = key.size();
    std::uint64_t mix = size;
    if (size >= 8) {
        std::uint64_t head;
        std::uint64_t tail;
        std::memcpy(&head, text, 8);
        std::memcpy(&tail, text + size - 8, 8);
        mix ^= head * 0x9E3779B97F4A7C15ull;
        mix ^= (tail ^ (tail >> 29)) * 0xC2B2AE3D27D4EB4Full;
    } else {
        for (std::size_t i = 0; i < size; ++i) {
            mix = mix * 131 + static_cast<unsigned char>(text[i]);
        }
        mix *= 0x9E3779B97F4A7C15ull;
    }
    return static_cast<std::size_t>(mix >> 40) % slots;
}

} // namespace

void LookupCache::storesChanged()
{
    currentRevision.fetch_add(1, std::memory_order_relaxed);
}

const std::string* LookupCache::find(const std::string& key) const
{
    const Slot& slot = slots[slotOf(key, SLOTS)];
    if (slot.revision != currentRevision.load(std::memory_order_relaxed) || slot.key != key) {
        return nullptr;
    }
    return &slot.value;
}

void LookupCache::remember(const std::string& key, const std::string& value)
{
    Slot& slot = slots[slotOf(key, SLOTS)];
    slot.key = key;
    slot.value = value;
    slot.revision = currentRevision.load(std::memory_order_relaxed);
}

} // namespace CFG
