#pragma once

#include <cstddef>
#include <typeinfo>

#include "Util/I_HashTableObject.h"
#include "Util/RecyclingPool.h"

namespace Util {

// A hash table entry that is nothing but a value; its hash is the value.
// Every event consumer makes and destroys one, so items come from a
// recycling pool rather than the general allocator.
template <typename T>
class HashedItem final : public I_HashTableObject {
public:
    explicit HashedItem(T itemValue) : value(itemValue) {}

    unsigned long hash() const override { return static_cast<unsigned long>(value); }

    bool isEqual(const I_HashTableObject* other) const override
    {
        // The class is final, so comparing the dynamic type is enough; another
        // kind of object is never equal to a value item.
        return other != nullptr && typeid(*other) == typeid(HashedItem) &&
               static_cast<const HashedItem*>(other)->value == value;
    }

    static void* operator new(std::size_t) { return pool().take(); }
    static void operator delete(void* memory) { pool().giveBack(memory); }

    // The pool lives as long as the process: items may be deleted late at
    // exit by objects whose ids outlive other static objects.
    static RecyclingPool& pool()
    {
        static RecyclingPool* l_pool = new RecyclingPool(sizeof(HashedItem));
        return *l_pool;
    }

    T value;
};

} // namespace Util
