#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace CFG {

// SipHash-2-4 (libsodium's crypto_shorthash) under a key drawn at random
// once per process, before the first hash. Whoever writes a settings file
// cannot know the key, so cannot choose keys that share a probe chain of a
// settings index: a plain seeded hash would not do, as its collisions hold
// for every seed.
//
// A running game reads its few hot keys from the same key texts at every
// step, and SipHash costs more than the rest of such a read: a short text
// hashed again from the same place is answered from a small per-thread memo
// of the last ones. The memo compares the whole text, so it can only save
// work, never give another text's hash.
class KeyedHash {
    // A text of 1 to MAX_TEXT bytes, where it was read from, held whole in
    // two words and its size, and its hash.
    struct Memo {
        static constexpr std::size_t MAX_TEXT = 16;
        struct Words {
            std::uint64_t first, last;
        };
        // Two overlapping words from the ends (two 4-byte ones under eight
        // bytes; the first, middle and last byte under four) cover every
        // byte, so equal words and sizes mean equal texts.
        static Words wordsOf(std::string_view text)
        {
            const char* data = text.data();
            const std::size_t size = text.size();
            if (size >= 8) {
                return Words{load<std::uint64_t>(data), load<std::uint64_t>(data + size - 8)};
            }
            if (size >= 4) {
                return Words{load<std::uint32_t>(data), load<std::uint32_t>(data + size - 4)};
            }
            return Words{static_cast<unsigned char>(data[0]) |
                             std::uint64_t(static_cast<unsigned char>(data[size / 2])) << 8 |
                             std::uint64_t(static_cast<unsigned char>(data[size - 1])) << 16,
                         0};
        }
        template <typename Word>
        static Word load(const char* at)
        {
            Word word;
            std::memcpy(&word, at, sizeof word);
            return word;
        }

        const char* from;
        std::size_t size;
        Words words;
        std::uint64_t hash;
    };
    static constexpr std::size_t MEMO_SLOTS = 8;

public:
    static std::uint64_t of(std::string_view text)
    {
        if (text.empty() || text.size() > Memo::MAX_TEXT) {
            return sipHash(text);
        }
        static thread_local Memo memos[MEMO_SLOTS];
        Memo& memo = memos[(reinterpret_cast<std::uintptr_t>(text.data()) >> 4) % MEMO_SLOTS];
        const Memo::Words words = Memo::wordsOf(text);
        if (memo.from == text.data() && memo.size == text.size() &&
            memo.words.first == words.first && memo.words.last == words.last) {
            return memo.hash;
        }
        return remember(memo, text, words);
    }

private:
    static std::uint64_t sipHash(std::string_view text);
    // Out of line, so that a memo hit needs no stack frame.
    static std::uint64_t remember(Memo& memo, std::string_view text, const Memo::Words& words);
};

} // namespace CFG
