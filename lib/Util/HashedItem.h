#pragma once

#include "Util/I_HashTableObject.h"

namespace Util {

// A hash table entry that is nothing but a value; its hash is the value.
template <typename T>
class HashedItem : public I_HashTableObject {
public:
    explicit HashedItem(T itemValue) : value(itemValue) {}

    unsigned long hash() const override { return static_cast<unsigned long>(value); }

    bool isEqual(const I_HashTableObject* other) const override
    {
        // Another kind of object is never equal to a value item.
        const auto* item = dynamic_cast<const HashedItem*>(other);
        return item != nullptr && item->value == value;
    }

    T value;
};

} // namespace Util
