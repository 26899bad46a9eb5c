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
// answered from a small per-thread memo of recent ones. The memo keeps the
// two most recently used texts of each size, so any two hot keys are both
// served, wherever their texts lie and whatever the linker does with them.
// It compares the whole text, so it can only save work, never give another
// text's hash.
class KeyedHash {
    using Hasher = SipHash<1, 3>;

    static constexpr std::size_t MAX_MEMO_TEXT = 16;
    // A text held whole in two words that may overlap (two 4-byte ones under
    // eight bytes; the first, middle and last byte under four: together they
    // cover every byte of a text of the set's size), and its hash.
    struct Memo {
        std::uint64_t first = 0, last = 0;
        std::uint64_t hash = 0;
        bool used = false;
    };
    struct MemoSet {
        Memo ways[2];
        // The way used last: a miss replaces the other one.
        std::size_t recent = 0;
    };

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
        // One set per size.
        static thread_local MemoSet sets[MAX_MEMO_TEXT];
        MemoSet& set = sets[size - 1];
        for (std::size_t way = 0; way < 2; ++way) {
            const Memo& memo = set.ways[way];
            if (memo.first == first && memo.last == last && memo.used) {
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
