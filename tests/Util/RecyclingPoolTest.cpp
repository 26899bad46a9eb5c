#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "Util/RecyclingPool.h"

namespace {

TEST(RecyclingPool, ReusesGivenBackChunksAndGrowsOnlyWhenEmpty)
{
    Util::RecyclingPool pool(3, 4);
    EXPECT_GE(pool.chunkSize(), sizeof(void*));
    EXPECT_EQ(pool.chunkSize() % alignof(std::max_align_t), 0u);

    std::vector<void*> taken;
    for (int i = 0; i < 4; ++i) {
        taken.push_back(pool.take());
    }
    EXPECT_EQ(pool.chunkCount(), 4u);
    EXPECT_EQ(std::set<void*>(taken.begin(), taken.end()).size(), 4u) << "chunks are distinct";
    for (void* chunk : taken) {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(chunk) % alignof(std::max_align_t), 0u);
    }

    pool.giveBack(taken[2]);
    EXPECT_EQ(pool.take(), taken[2]) << "the last chunk given back comes out first";
    EXPECT_EQ(pool.chunkCount(), 4u);

    void* fifth = pool.take();
    EXPECT_EQ(pool.chunkCount(), 8u) << "an empty free list adds one block";
    EXPECT_EQ(std::set<void*>(taken.begin(), taken.end()).count(fifth), 0u);
    pool.giveBack(nullptr); // harmless
}

} // namespace
