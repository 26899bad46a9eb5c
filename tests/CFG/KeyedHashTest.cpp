#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CFG/KeyedHash.h"

using CFG::KeyedHash;

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
}
