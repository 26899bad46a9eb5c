#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "Util/RecyclingPool.h"

namespace {

TEST(RecyclingPool, ReusesGivenBackChunksAndGrowsOnlyWhenEmpty)
{
    Util::RecyclingPool pool(3, 4);
    std::set<void*> taken;
    for (int i = 0; i < 4; ++i) {
        void* chunk = pool.take();
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(chunk) % alignof(std::max_align_t), 0u);
        taken.insert(chunk);
    }
    EXPECT_EQ(taken.size(), 4u);
    EXPECT_EQ(pool.chunkCount(), 4u);
    void* second = *std::next(taken.begin());
    pool.giveBack(second);
    EXPECT_EQ(pool.take(), second);
    EXPECT_EQ(pool.chunkCount(), 4u);
    EXPECT_EQ(taken.count(pool.take()), 0u);
    EXPECT_EQ(pool.chunkCount(), 8u);
}

} // namespace
