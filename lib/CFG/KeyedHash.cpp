#include "CFG/KeyedHash.h"

#include <sodium.h>

#include "Util/Abort.h"

namespace CFG {

namespace {

thread_local unsigned long misses = 0;

SipHash<1, 3>::Key randomKey()
{
    // sodium_init makes randombytes safe to call from any thread; it only
    // fails when the system has no source of randomness at all.
    if (sodium_init() < 0) {
        ABORT("libsodium could not be initialised: no source of randomness");
    }
    SipHash<1, 3>::Key key;
    randombytes_buf(&key, sizeof key);
    return key;
}

} // namespace

unsigned long KeyedHash::memoMisses()
{
    return misses;
}

std::uint64_t KeyedHash::unmemoised(std::string_view text)
{
    static const Hasher::Key KEY = randomKey();
    return Hasher::of(text, KEY);
}

std::uint64_t KeyedHash::remember(MemoSet& set, std::string_view text, std::uint64_t first,
                                  std::uint64_t last)
{
    ++misses;
    set.recent ^= 1;
    Memo& memo = set.ways[set.recent];
    memo = Memo{first, last, unmemoised(text), true};
    return memo.hash;
}

} // namespace CFG
