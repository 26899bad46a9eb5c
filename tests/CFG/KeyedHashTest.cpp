#include <gtest/gtest.h>
#include <sodium.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "CFG/KeyedHash.h"
#include "CFG/SipHash.h"

using CFG::KeyedHash;
using SipHash24 = CFG::SipHash<2, 4>;
using SipHash13 = CFG::SipHash<1, 3>;

// The written-out SipHash against independent ones: SipHash-2-4 against
// libsodium's under random keys, every tail length and a few whole words;
// SipHash-1-3 against Python 3.11's hash of bytes under PYTHONHASHSEED=0
// (SipHash-1-3 with the zero key).
TEST(SipHash, AgreesWithIndependentImplementations)
{
    ASSERT_GE(sodium_init(), 0);
    unsigned char key[crypto_shorthash_KEYBYTES];
    std::string text;
    for (std::size_t size = 0; size <= 40; ++size) {
        SCOPED_TRACE("size " + std::to_string(size));
        randombytes_buf(key, sizeof key);
        text.resize(size);
        randombytes_buf(text.data(), size);
        std::uint64_t expected = 0;
        crypto_shorthash(reinterpret_cast<unsigned char*>(&expected),
                         reinterpret_cast<const unsigned char*>(text.data()), size, key);
        SipHash24::Key words;
        std::memcpy(&words, key, sizeof words);
        EXPECT_EQ(SipHash24::of(text, words), expected);
    }
    const struct {
        const char* text;
        std::uint64_t hash;
    } PYTHON[] = {{"a", 4644417185603328019u},
                  {"MOVE_TIME", 5345655045544078072u},
                  {"FLASH_TIME", 1708917553133284939u},
                  {"0123456789abcdef", 2108444454683020324u},
                  {"SECTION_123_KEY_12345", 8371200095392084490u}};
    for (const auto& row : PYTHON) {
        EXPECT_EQ(SipHash13::of(row.text, {0, 0}), row.hash) << row.text;
    }
}

// The memo of recent short texts answers only for the very text it holds:
// a buffer rewritten in place (same address, same size) gets the hash of its
// new text, and every text hashes alike wherever it lies.
TEST(KeyedHash, TheMemoNeverAnswersForAnotherText)
{
    std::set<std::uint64_t> hashes;
    for (std::size_t size = 1; size <= 24; ++size) {
        std::string buffer(size, 'K');
        for (std::size_t at : {std::size_t(0), size / 2, size - 1}) {
            SCOPED_TRACE("size " + std::to_string(size) + ", byte " + std::to_string(at));
            const std::uint64_t before = KeyedHash::of(buffer);
            EXPECT_EQ(before, KeyedHash::of(buffer)) << "the same text again";
            buffer[at] = 'X';
            const std::uint64_t after = KeyedHash::of(buffer);
            EXPECT_NE(before, after) << "a byte changed in place";
            EXPECT_EQ(after, KeyedHash::of(std::string(buffer))) << "a copy elsewhere";
            hashes.insert(after);
            buffer[at] = 'K';
        }
    }
    EXPECT_GT(hashes.size(), 60u) << "distinct texts, distinct hashes";

    // A new thread's memo holds no text, not even one of zero bytes.
    std::set<std::uint64_t> zeros;
    std::thread([&] {
        for (std::size_t size = 1; size <= 16; ++size) {
            zeros.insert(KeyedHash::of(std::string(size, '\0')));
        }
    }).join();
    EXPECT_EQ(zeros.size(), 16u);
}

// Two hot keys read in turn are both answered by the memo, wherever they
// lie and whichever memo places their texts compete for: the two game keys
// 128 bytes apart in one buffer (the same place by address, 16-byte steps
// modulo 8), and every pair of nine keys (more keys than the memo has sets,
// so some pairs share one).
TEST(KeyedHash, TwoHotKeysAreBothServedFromTheMemo)
{
    std::string buffer(256, ' ');
    buffer.replace(0, 9, "MOVE_TIME");
    buffer.replace(128, 10, "FLASH_TIME");
    std::vector<std::string_view> keys = {std::string_view(buffer).substr(0, 9),
                                          std::string_view(buffer).substr(128, 10)};
    std::vector<std::string> texts;
    for (int k = 0; k < 9; ++k) {
        texts.push_back("HOT_KEY_" + std::to_string(k));
    }
    std::vector<std::pair<std::string_view, std::string_view>> pairs = {{keys[0], keys[1]}};
    for (std::size_t a = 0; a < texts.size(); ++a) {
        for (std::size_t b = a + 1; b < texts.size(); ++b) {
            pairs.emplace_back(texts[a], texts[b]);
        }
    }
    for (const auto& [a, b] : pairs) {
        SCOPED_TRACE(std::string(a) + " and " + std::string(b));
        const std::uint64_t hashA = KeyedHash::of(a);
        const std::uint64_t hashB = KeyedHash::of(b);
        const unsigned long misses = KeyedHash::memoMisses();
        for (int turn = 0; turn < 3; ++turn) {
            EXPECT_EQ(KeyedHash::of(a), hashA);
            EXPECT_EQ(KeyedHash::of(b), hashB);
        }
        EXPECT_EQ(KeyedHash::memoMisses(), misses) << "hashed again";
    }
}
