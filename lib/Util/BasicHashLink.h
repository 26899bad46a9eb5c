#pragma once

namespace Util {

// One link of a hash chain (the item and the next link), and the pool that
// hands links out. The pool recycles given-back links through a free list
// and allocates a new block only when that list is empty, so a table whose
// size stays bounded stops allocating links after warm-up.
template <typename T>
class BasicHashLink {
public:
    T* item = nullptr;
    BasicHashLink* next = nullptr;

    class Pool {
    public:
        Pool() = default;
        Pool(const Pool&) = delete;
        Pool& operator=(const Pool&) = delete;

        ~Pool()
        {
            while (blocks != nullptr) {
                BlockEntry* entry = blocks;
                blocks = entry->next;
                delete[] entry->block;
                delete entry;
            }
        }

        BasicHashLink* take()
        {
            if (freeLinks == nullptr) {
                grow();
            }
            BasicHashLink* link = freeLinks;
            freeLinks = link->next;
            link->next = nullptr;
            return link;
        }

        void giveBack(BasicHashLink* link)
        {
            link->item = nullptr;
            link->next = freeLinks;
            freeLinks = link;
        }

        // Makes sure the next take() needs no allocation.
        void reserveOne()
        {
            if (freeLinks == nullptr) {
                grow();
            }
        }

        // Links ever allocated: grows only when more links are in use at once
        // than ever before.
        unsigned long linkCount() const { return allocatedLinks; }

        unsigned long freeCount() const
        {
            unsigned long n = 0;
            for (const BasicHashLink* link = freeLinks; link != nullptr; link = link->next) {
                ++n;
            }
            return n;
        }

    private:
        struct BlockEntry {
            BasicHashLink* block;
            BlockEntry* next;
        };

        void grow()
        {
            if (growBy <= 0) {
                growBy = 1;
            }
            BasicHashLink* block = new BasicHashLink[growBy];
            blocks = new BlockEntry{block, blocks};
            for (int i = 0; i < growBy; ++i) {
                block[i].next = (i + 1 < growBy) ? &block[i + 1] : freeLinks;
            }
            freeLinks = block;
            allocatedLinks += static_cast<unsigned long>(growBy);
        }

        BlockEntry* blocks = nullptr;
        BasicHashLink* freeLinks = nullptr;
        int growBy = 1;
        unsigned long allocatedLinks = 0;
    };

    // The process-wide pool. It is never destroyed, so tables and ids that
    // outlive other static objects at exit can still give their links back.
    static Pool& instance()
    {
        static Pool* l_pool = new Pool();
        return *l_pool;
    }
};

} // namespace Util
