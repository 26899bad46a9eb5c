#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Support/AllocationCounter.h"
#include "Util/BasicHashTable.h"
#include "Util/HashedID.h"
#include "Util/IDHashTable.h"
#include "Util/UniqueID.h"

namespace {

using Item = Util::HashedItem<unsigned long>;
using Table = Util::IDHashTable<unsigned long>;

Table& ids()
{
    return Table::instance();
}

bool idIsLive(unsigned long id)
{
    Item probe(id);
    return ids().find(&probe) != nullptr;
}

TEST(UniqueID, CountsFromOneAndNeverReusesANumber)
{
    // A counter of its own type, untouched by the rest of this binary.
    using Fresh = Util::UniqueID<unsigned long long>;
    Fresh first;
    EXPECT_EQ(first.id, 1u);
    unsigned long long destroyedId = 0;
    {
        Fresh second;
        destroyedId = second.id;
        EXPECT_EQ(destroyedId, 2u);
    }
    Fresh third;
    EXPECT_EQ(third.id, 3u);
    Fresh copy(first);
    EXPECT_EQ(copy.id, 4u) << "a copy is another object with its own number";
    copy = third;
    EXPECT_EQ(copy.id, 4u) << "assignment keeps the identity";
}

TEST(HashedID, IsInTheTableExactlyForItsLifetime)
{
    const int before = ids().entries();
    unsigned long id = 0;
    {
        Util::HashedID<unsigned long> object;
        id = object.id;
        EXPECT_EQ(ids().entries(), before + 1);
        EXPECT_TRUE(idIsLive(id));

        Util::HashedID<unsigned long> copy(object);
        EXPECT_NE(copy.id, id);
        EXPECT_TRUE(idIsLive(copy.id));
    }
    EXPECT_EQ(ids().entries(), before);
    EXPECT_FALSE(idIsLive(id));

    Util::HashedID<unsigned long> later;
    EXPECT_GT(later.id, id) << "a destroyed object's id is not handed out again";
}

TEST(IDHashTable, CongruentIdsShareABucketAndStayFindable)
{
    Table table;
    Item five(5), other(1014), six(6);
    EXPECT_EQ(table.itemBucket(&five), 5u);
    EXPECT_EQ(table.itemBucket(&other), 5u);
    EXPECT_EQ(table.itemBucket(&six), 6u);
    EXPECT_EQ(table.chainHead(&five), table.chainHead(&other));

    table.insert(&five);
    table.insert(&other);
    table.insert(&six);
    EXPECT_EQ(table.entries(), 3);
    EXPECT_EQ(table.chainHead(&five)->item, nullptr) << "a head link holds no item";
    EXPECT_EQ(table.chainHead(&five)->next->item, &other) << "newest item is at the front";

    Item probe(5);
    EXPECT_EQ(table.remove(&probe), &five) << "remove returns the stored item, not the probe";
    EXPECT_EQ(table.entries(), 2);
    Item probeOther(1014);
    EXPECT_EQ(table.find(&probeOther), &other);
    EXPECT_EQ(table.find(&probe), nullptr);

    Item absent(2023);
    EXPECT_EQ(table.remove(&absent), nullptr);
    EXPECT_EQ(table.entries(), 2);
    table.clear();
}

TEST(IDHashTable, HugeHashValuesStayInsideTheTable)
{
    Table table;
    Item big(~0ul);
    EXPECT_EQ(table.itemBucket(&big), (~0ul) % 1009);
    table.insert(&big);
    EXPECT_EQ(table.find(&big), &big);
    table.clear();
}

// An item that counts its destructions, to tell clear from clearAndDestroy.
struct CountedItem : Util::HashedItem<unsigned long> {
    explicit CountedItem(unsigned long v) : HashedItem(v) {}
    ~CountedItem() override { ++destroyed; }
    static int destroyed;
};
int CountedItem::destroyed = 0;

TEST(BasicHashTable, ClearKeepsItemsAliveAndClearAndDestroyDeletesThem)
{
    Util::BasicHashTable<CountedItem> table(7);
    std::vector<std::unique_ptr<CountedItem>> owned;
    for (unsigned long v = 0; v < 20; ++v) {
        owned.push_back(std::make_unique<CountedItem>(v));
        table.insert(owned.back().get());
    }
    CountedItem::destroyed = 0;
    table.clear();
    EXPECT_EQ(table.entries(), 0);
    EXPECT_EQ(CountedItem::destroyed, 0);
    EXPECT_EQ(table.find(owned[3].get()), nullptr);

    for (auto& item : owned) {
        table.insert(item.release());
    }
    table.clearAndDestroy();
    EXPECT_EQ(table.entries(), 0);
    EXPECT_EQ(CountedItem::destroyed, 20);

    // A table of zero buckets would divide by zero: it gets one.
    Util::BasicHashTable<CountedItem> tiny(0);
    CountedItem lone(42);
    tiny.insert(&lone);
    EXPECT_EQ(tiny.find(&lone), &lone);
    tiny.clear();
}

TEST(BasicHashLink, PoolsRecycleLinksAndItems)
{
    auto& pool = Util::BasicHashLink<Item>::instance();
    constexpr int LIVE = 500;
    auto round = [] {
        std::vector<std::unique_ptr<Util::HashedID<unsigned long>>> objects;
        objects.reserve(LIVE);
        for (int i = 0; i < LIVE; ++i) {
            objects.push_back(std::make_unique<Util::HashedID<unsigned long>>());
        }
    };
    round(); // warm-up: the pool grows to the largest number of live ids
    const unsigned long links = pool.linkCount();
    EXPECT_GE(pool.freeCount(), static_cast<unsigned long>(LIVE));

    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        round();
        EXPECT_EQ(pool.linkCount(), links) << "the pool must not grow after warm-up";
    }

    // Once warm, an object costs its own allocation only: its table item and
    // link are both recycled.
    const std::size_t itemChunks = Item::pool().chunkCount();
    const unsigned long before = TestSupport::allocationCount();
    for (int i = 0; i < 1000; ++i) {
        delete new Util::HashedID<unsigned long>();
    }
    EXPECT_EQ(TestSupport::allocationCount() - before, 1000u);
    EXPECT_EQ(pool.linkCount(), links);
    EXPECT_EQ(Item::pool().chunkCount(), itemChunks);
}

} // namespace
