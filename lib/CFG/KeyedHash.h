#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "CFG/SipHash.h"

namespace CFG {

// SipHash-1-3 under a key drawn at random once per process, before the
// first hash. Whoever writes a settings file cannot know the key, so cannot
// choose keys that share a probe chain of a settings index: a plain seeded
// hash would not do, as its collisions hold for every seed.
//
// A running game reads its few hot keys at every step, and even SipHash-1-3
// costs more than the rest of such a read: a short text hashed again is
// answered from a small per-thread memo of recent ones. The memo picks its
// set from the text's bytes, never from where the text lies, and each set
// keeps its two most recently used texts, so any two hot keys are both
// served whatever the linker does with them. It compares the whole text, so
// it can only save work, never give another text's hash.
class KeyedHash {
    using Hasher = SipHash<1, 3>;

    static constexpr std::size_t MAX_MEMO_TEXT = 16;
    // A text of 1 to MAX_MEMO_TEXT bytes, held whole in two words that may
    // overlap (two 4-byte ones under eight bytes; the first, middle and last
    // byte under four: together they cover every byte, so equal words and
    // sizes mean equal texts), and its hash.
    struct Memo {
        std::uint64_t first = 0, last = 0;
        std::size_t size = 0;
        std::uint64_t hash = 0;
    };
    struct MemoSet {
        Memo ways[2];
        // The way used last: a miss replaces the other one.
        std::size_t recent = 0;
    };
    static constexpr std::size_t MEMO_SETS = 8;

public:
    static std::uint64_t of(std::string_view text)
    {
        const std::size_t size = text.size();
        // An empty text wraps around to the largest size.
        if (size - 1 >= MAX_MEMO_TEXT) {
            return unmemoised(text);
        }
        const char* data = text.data();
        std::uint64_t first, last;
        if (size >= 8) {
            first = load<std::uint64_t>(data);
            last = load<std::uint64_t>(data + size - 8);
        } else if (size >= 4) {
            first = load<std::uint32_t>(data);
            last = load<std::uint32_t>(data + size - 4);
        } else {
            first = static_cast<unsigned char>(data[0]) |
                    std::uint64_t(static_cast<unsigned char>(data[size / 2])) << 8 |
                    std::uint64_t(static_cast<unsigned char>(data[size - 1])) << 16;
            last = 0;
        }
        static thread_local MemoSet sets[MEMO_SETS];
        MemoSet& set = sets[setOf(first, last, size)];
        for (std::size_t way = 0; way < 2; ++way) {
            const Memo& memo = set.ways[way];
            if (memo.first == first && memo.last == last && memo.size == size) {
                set.recent = way;
                return memo.hash;
            }
        }
        return remember(set, text, first, last);
    }

    // Short texts this thread had to hash because the memo did not hold
    // them (for tests: an answer from the memo leaves it unchanged).
    static unsigned long memoMisses();

private:
    // Any cheap spread serves: a set only decides which texts compete. (The
    // rotation keeps the words of an 8-byte text, which are one, apart.)
    static std::size_t setOf(std::uint64_t first, std::uint64_t last, std::size_t size)
    {
        const std::uint64_t turned = last << 29 | last >> 35;
        return static_cast<std::size_t>(((first ^ turned ^ size) * 0x9E3779B97F4A7C15u) >> 61) %
               MEMO_SETS;
    }
    template <typename Word>
    static Word load(const char* at)
    {
        Word word;
        std::memcpy(&word, at, sizeof word);
        return word;
    }

    // Out of line, so that the memo's test stays small enough to inline
    // into every read.
    static std::uint64_t unmemoised(std::string_view text);
    static std::uint64_t remember(MemoSet& set, std::string_view text, std::uint64_t first,
                                  std::uint64_t last);
};

} // namespace CFG
