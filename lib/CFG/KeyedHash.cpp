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

std::uint64_t KeyedHash::sipHash(std::string_view text)
{
    static const Key KEY = randomKey();
    static_assert(crypto_shorthash_BYTES == sizeof(std::uint64_t), "SipHash gives 64 bits");
    std::uint64_t hash = 0;
    // The bytes as they come: any fixed reading of them serves as a hash.
    crypto_shorthash(reinterpret_cast<unsigned char*>(&hash),
                     reinterpret_cast<const unsigned char*>(text.data()), text.size(), KEY.data());
    return hash;
}

std::uint64_t KeyedHash::remember(Memo& memo, std::string_view text, const Memo::Words& words)
{
    memo = Memo{text.data(), text.size(), words, sipHash(text)};
    return memo.hash;
}

} // namespace CFG
