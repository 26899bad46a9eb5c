#pragma once

#include "Util/BasicHashLink.h"
#include "Util/I_HashTable.h"

namespace Util {

// A chained hash table of items it does not own. Each bucket is a head link
// holding no item; chains are made of pooled links, so inserting and removing
// costs no allocation once the pool has free links. T provides hash() and
// isEqual(const T*).
template <typename T>
class BasicHashTable : public I_HashTable<T> {
public:
    using Link = BasicHashLink<T>;

    explicit BasicHashTable(unsigned long buckets)
        : bucketCount(buckets == 0 ? 1 : buckets), buckets(new Link[bucketCount]), count(0)
    {
        Link::instance().reserveOne();
    }

    BasicHashTable(const BasicHashTable&) = delete;
    BasicHashTable& operator=(const BasicHashTable&) = delete;

    ~BasicHashTable() override
    {
        clearTable(false);
        delete[] buckets;
    }

    int entries() const override { return count; }
    void clear() override { clearTable(false); }
    void clearAndDestroy() override { clearTable(true); }

    T* find(const T* item) const override
    {
        for (const Link* link = chainHead(item)->next; link != nullptr; link = link->next) {
            if (item->isEqual(link->item)) {
                return link->item;
            }
        }
        return nullptr;
    }

    // Adds the item at the front of its chain; equal items are not looked for.
    T* insert(T* item) override
    {
        Link* head = chainHead(item);
        Link* link = Link::instance().take();
        link->item = item;
        link->next = head->next;
        head->next = link;
        ++count;
        return item;
    }

    // Unhooks the first stored item equal to the probe and returns it (not
    // the probe); the item itself stays alive.
    T* remove(T* item) override
    {
        for (Link* prev = chainHead(item); prev->next != nullptr; prev = prev->next) {
            Link* link = prev->next;
            if (item->isEqual(link->item)) {
                T* stored = link->item;
                prev->next = link->next;
                Link::instance().giveBack(link);
                --count;
                return stored;
            }
        }
        return nullptr;
    }

    virtual unsigned long itemBucket(const T* item) const { return item->hash() % bucketCount; }

    virtual Link* chainHead(const T* item) const { return &buckets[itemBucket(item)]; }

    virtual void clearTable(bool destroyItems)
    {
        for (unsigned long b = 0; b < bucketCount; ++b) {
            Link* link = buckets[b].next;
            buckets[b].next = nullptr;
            while (link != nullptr) {
                Link* next = link->next;
                if (destroyItems) {
                    delete link->item;
                }
                Link::instance().giveBack(link);
                --count;
                link = next;
            }
        }
    }

private:
    unsigned long bucketCount;
    Link* buckets;
    int count;
};

} // namespace Util
