#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Support/AllocationCounter.h"
#include "Util/HashedID.h"
#include "Util/IDHashTable.h"

namespace {

using Item = Util::HashedItem<unsigned long>;
using Table = Util::IDHashTable<unsigned long>;
using ID = Util::HashedID<unsigned long>;

bool idIsLive(unsigned long id)
{
    Item probe(id);
    return Table::instance().find(&probe) != nullptr;
}

TEST(HashedID, NumbersFromOneNeverReusedAndLiveExactlyForTheObjectsLifetime)
{
    // A counter of its own type, untouched by the rest of this binary.
    Util::UniqueID<unsigned long long> first, second;
    EXPECT_EQ(first.id, 1u);
    EXPECT_EQ(second.id, 2u);

    const int before = Table::instance().entries();
    unsigned long gone = 0;
    {
        ID object;
        ID copy(object);
        gone = object.id;
        EXPECT_EQ(copy.id, gone + 1) << "a copy is another object with its own id";
        EXPECT_TRUE(idIsLive(gone));
        EXPECT_EQ(Table::instance().entries(), before + 2);
    }
    EXPECT_FALSE(idIsLive(gone));
    EXPECT_EQ(Table::instance().entries(), before);
    ID later;
    EXPECT_EQ(later.id, gone + 2) << "destroyed ids are not handed out again";
}

TEST(IDHashTable, CongruentIdsShareABucketNewestFirst)
{
    Table table;
    Item five(5), other(1014), six(6), big(~0ul);
    EXPECT_EQ(table.itemBucket(&other), 5u);
    EXPECT_EQ(table.itemBucket(&big), ~0ul % 1009);
    for (Item* item : {&five, &other, &six, &big}) {
        table.insert(item);
    }
    EXPECT_EQ(table.chainHead(&five)->item, nullptr) << "a head link holds no item";
    EXPECT_EQ(table.chainHead(&five)->next->item, &other);

    Item probe(5), absent(2023), probeOther(1014);
    EXPECT_EQ(table.remove(&absent), nullptr);
    EXPECT_EQ(table.entries(), 4);
    EXPECT_EQ(table.remove(&probe), &five) << "the stored item, not the probe";
    EXPECT_EQ(table.find(&probeOther), &other);
    EXPECT_EQ(table.find(&probe), nullptr);
    EXPECT_EQ(table.entries(), 3);
    table.clear();
}

// Counts its destructions, to tell clear from clearAndDestroy.
struct CountedItem : Util::I_HashTableObject {
    explicit CountedItem(unsigned long v) : value(v) {}
    ~CountedItem() override { ++destroyed; }
    unsigned long hash() const override { return value; }
    bool isEqual(const I_HashTableObject* other) const override
    {
        return static_cast<const CountedItem*>(other)->value == value;
    }
    unsigned long value;
    static int destroyed;
};
int CountedItem::destroyed = 0;

TEST(BasicHashTable, ClearKeepsItemsAliveAndClearAndDestroyDeletesThem)
{
    Util::BasicHashTable<CountedItem> table(0); // no buckets asked: one is made
    std::vector<std::unique_ptr<CountedItem>> owned;
    for (unsigned long v = 0; v < 20; ++v) {
        owned.push_back(std::make_unique<CountedItem>(v));
        table.insert(owned.back().get());
    }
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
}

TEST(BasicHashLink, LinksAndItemsAreRecycledAfterWarmUp)
{
    auto& links = Util::BasicHashLink<Item>::instance();
    auto round = [] {
        std::vector<std::unique_ptr<ID>> objects(500);
        for (auto& object : objects) {
            object = std::make_unique<ID>();
        }
    };
    round(); // warm-up: the pools grow to the largest number of live ids
    const unsigned long linkCount = links.linkCount();
    const std::size_t itemChunks = Item::pool().chunkCount();
    EXPECT_GE(links.freeCount(), 500u);
    round();
    const unsigned long before = TestSupport::allocationCount();
    for (int i = 0; i < 1000; ++i) {
        delete new ID();
    }
    EXPECT_EQ(TestSupport::allocationCount() - before, 1000u) << "only the objects themselves";
    EXPECT_EQ(links.linkCount(), linkCount);
    EXPECT_EQ(Item::pool().chunkCount(), itemChunks);
}

} // namespace
