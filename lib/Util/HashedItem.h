#pragma once

#include <cstddef>
#include <new>
#include <typeinfo>

#include "Util/I_HashTableObject.h"
#include "Util/RecyclingPool.h"

namespace Util {

// A hash table entry that is nothing but a value; its hash is the value.
// Every event consumer makes and destroys one, so items come from a
// recycling pool rather than the general allocator.
template <typename T>
class HashedItem : public I_HashTableObject {
public:
    explicit HashedItem(T itemValue) : value(itemValue) {}

    unsigned long hash() const override { return static_cast<unsigned long>(value); }

    bool isEqual(const I_HashTableObject* other) const override
    {
        if (other == nullptr) {
            return false;
        }
        // The common case of two items of the same class needs no cast
        // through the hierarchy; another kind of object is never equal.
        if (typeid(*other) == typeid(*this)) {
            return static_cast<const HashedItem*>(other)->value == value;
        }
        const auto* item = dynamic_cast<const HashedItem*>(other);
        return item != nullptr && item->value == value;
    }

    // Derived classes of another size use the general allocator.
    static void* operator new(std::size_t size)
    {
        return size == sizeof(HashedItem) ? pool().take() : ::operator new(size);
    }

    static void operator delete(void* memory, std::size_t size)
    {
        if (size == sizeof(HashedItem)) {
            pool().giveBack(memory);
        } else {
            ::operator delete(memory);
        }
    }

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
