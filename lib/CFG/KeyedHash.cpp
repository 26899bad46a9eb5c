#include "CFG/KeyedHash.h"

#include <sodium.h>

#include <array>

#include "Util/Abort.h"

namespace CFG {

namespace {

using Key = std::array<unsigned char, crypto_shorthash_KEYBYTES>;

Key randomKey()
{
    // sodium_init makes randombytes safe to call from any thread; it only
    // fails when the system has no source of randomness at all.
    if (sodium_init() < 0) {
        ABORT("libsodium could not be initialised: no source of randomness");
    }
    Key key;
    randombytes_buf(key.data(), key.size());
    return key;
}

} // namespace

std::uint64_t KeyedHash::of(std::string_view text)
{
    static const Key KEY = randomKey();
    unsigned char out[crypto_shorthash_BYTES];
    crypto_shorthash(out, reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                     KEY.data());
    std::uint64_t hash = 0;
    for (int at = crypto_shorthash_BYTES - 1; at >= 0; --at) {
        hash = hash << 8 | out[at];
    }
    return hash;
}

} // namespace CFG
