#pragma once

#include <cstddef>
#include <cstdint>

namespace Tool {

// The match checksum's keys: a 64 x 64-bit multiply folded to 64 bits (as
// in wyhash), one multiply per key, over fixed constants only, so that
// every build and machine agrees. The match hashes its cells with them; a
// computer player's search hashes the positions it plays through with the
// same keys.
struct CellKeys {
    static std::uint64_t fold(std::uint64_t x)
    {
        const unsigned __int128 product = static_cast<unsigned __int128>(x) * 0x8BB84B93962EACC9ull;
        return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
    }

    static std::uint64_t mix(std::uint64_t x) { return fold(x ^ 0x2D358DCCAA6C78A5ull); }

    // A cell's key, for its index and owner (0 without colours). Cell 0's
    // key is 0, which loses nothing: it is a corner of the wall, blocked
    // all match long.
    static std::uint64_t cell(std::size_t index, int owner = 0)
    {
        return fold(static_cast<std::uint64_t>(index) ^
                    static_cast<std::uint64_t>(static_cast<std::uint32_t>(owner)) << 32);
    }
};

} // namespace Tool
