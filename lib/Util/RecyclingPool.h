#pragma once

#include <cstddef>
#include <new>

namespace Util {

// Hands out memory chunks of one fixed size and takes them back onto a free
// list for reuse, allocating a block of chunks only when the list is empty.
// For small objects made and destroyed at a high rate, where the general
// allocator would dominate the cost. Owns its blocks and frees them when
// destroyed.
class RecyclingPool {
public:
    explicit RecyclingPool(std::size_t chunkSize, std::size_t chunksPerBlock = 256)
        : chunk(roundUp(chunkSize)), perBlock(chunksPerBlock == 0 ? 1 : chunksPerBlock)
    {
    }

    RecyclingPool(const RecyclingPool&) = delete;
    RecyclingPool& operator=(const RecyclingPool&) = delete;

    ~RecyclingPool()
    {
        while (blocks != nullptr) {
            Node* block = blocks;
            blocks = block->next;
            ::operator delete(block);
        }
    }

    void* take()
    {
        if (freeList == nullptr) {
            grow();
        }
        Node* node = freeList;
        freeList = node->next;
        return node;
    }

    void giveBack(void* memory)
    {
        if (memory == nullptr) {
            return;
        }
        Node* node = static_cast<Node*>(memory);
        node->next = freeList;
        freeList = node;
    }

    std::size_t chunkSize() const { return chunk; }
    std::size_t chunkCount() const { return chunks; }

private:
    struct Node {
        Node* next;
    };

    static std::size_t roundUp(std::size_t size)
    {
        const std::size_t align = alignof(std::max_align_t);
        const std::size_t atLeast = size < sizeof(Node) ? sizeof(Node) : size;
        return (atLeast + align - 1) / align * align;
    }

    // A block starts with one chunk that links it into the block list; the
    // rest of its chunks go onto the free list.
    void grow()
    {
        char* memory = static_cast<char*>(::operator new(chunk*(perBlock + 1)));
        Node* block = reinterpret_cast<Node*>(memory);
        block->next = blocks;
        blocks = block;
        for (std::size_t i = perBlock; i >= 1; --i) {
            giveBack(memory + i * chunk);
        }
        chunks += perBlock;
    }

    std::size_t chunk;
    std::size_t perBlock;
    Node* blocks = nullptr;
    Node* freeList = nullptr;
    std::size_t chunks = 0;
};

} // namespace Util
