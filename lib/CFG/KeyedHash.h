#pragma once

#include <cstdint>
#include <string_view>

namespace CFG {

// SipHash-2-4 (libsodium's crypto_shorthash) under a key drawn at random
// once per process, before the first hash. Whoever writes a settings file
// cannot know the key, so cannot choose keys that share a probe chain of a
// settings index: a plain seeded hash would not do, as its collisions hold
// for every seed.
class KeyedHash {
public:
    static std::uint64_t of(std::string_view text);
};

} // namespace CFG
