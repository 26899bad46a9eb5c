#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace CFG {

// SipHash-c-d (Aumasson and Bernstein) of a text under a 128-bit key, with
// c rounds per 8-byte word and d rounds to finish: SipHash<2, 4> is the
// original, SipHash<1, 3> the lighter variant hash tables use. Written out
// inline because a settings read hashes a key of a few words at every get,
// and a library call costs as much as the rounds themselves.
template <int C, int D>
class SipHash {
public:
    struct Key {
        std::uint64_t k0, k1;
    };

    static std::uint64_t of(std::string_view text, const Key& key)
    {
        State s{key.k0 ^ 0x736f6d6570736575u, key.k1 ^ 0x646f72616e646f6du,
                key.k0 ^ 0x6c7967656e657261u, key.k1 ^ 0x7465646279746573u};
        const char* data = text.data();
        const std::size_t size = text.size();
        const char* const wholeEnd = data + (size & ~std::size_t(7));
        for (; data != wholeEnd; data += 8) {
            s.absorb(word(data));
        }
        s.absorb(lastWord(data, size & 7, size) | std::uint64_t(size) << 56);
        s.v2 ^= 0xff;
        for (int r = 0; r < D; ++r) {
            s.round();
        }
        return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
    }

private:
    struct State {
        std::uint64_t v0, v1, v2, v3;

        void absorb(std::uint64_t m)
        {
            v3 ^= m;
            for (int r = 0; r < C; ++r) {
                round();
            }
            v0 ^= m;
        }
        void round()
        {
            v0 += v1;
            v1 = rotate(v1, 13);
            v1 ^= v0;
            v0 = rotate(v0, 32);
            v2 += v3;
            v3 = rotate(v3, 16);
            v3 ^= v2;
            v0 += v3;
            v3 = rotate(v3, 21);
            v3 ^= v0;
            v2 += v1;
            v1 = rotate(v1, 17);
            v1 ^= v2;
            v2 = rotate(v2, 32);
        }
    };

    static std::uint64_t rotate(std::uint64_t x, int bits) { return x << bits | x >> (64 - bits); }

    template <typename Word>
    static Word load(const char* at)
    {
        Word w;
        std::memcpy(&w, at, sizeof w);
        return w;
    }

    // A little-endian word, as the algorithm reads its input.
    static std::uint64_t word(const char* at)
    {
        const std::uint64_t w = load<std::uint64_t>(at);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
        return __builtin_bswap64(w);
#else
        return w;
#endif
    }

    // The count (0 to 7) bytes at at, which end the text, as the low bytes
    // of a little-endian word; size is the whole text's. Read in at most two
    // loads that may overlap, never past the text's end or before its start.
    static std::uint64_t lastWord(const char* at, std::size_t count, std::size_t size)
    {
        if (count == 0) {
            return 0;
        }
        if (size >= 8) {
            return word(at + count - 8) >> (64 - 8 * count);
        }
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
        std::uint64_t w = 0;
        for (std::size_t i = 0; i < count; ++i) {
            w |= std::uint64_t(static_cast<unsigned char>(at[i])) << (8 * i);
        }
        return w;
#else
        if (count >= 4) {
            return load<std::uint32_t>(at) | std::uint64_t(load<std::uint32_t>(at + count - 4))
                                                 << (8 * (count - 4));
        }
        return static_cast<unsigned char>(at[0]) |
               std::uint64_t(static_cast<unsigned char>(at[count / 2])) << (8 * (count / 2)) |
               std::uint64_t(static_cast<unsigned char>(at[count - 1])) << (8 * (count - 1));
#endif
    }
};

} // namespace CFG
