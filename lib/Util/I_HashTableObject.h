#pragma once

namespace Util {

// Anything stored in a BasicHashTable: it says which bucket it goes to and
// whether another stored object is equal to it.
class I_HashTableObject {
public:
    virtual unsigned long hash() const = 0;
    virtual bool isEqual(const I_HashTableObject* other) const = 0;
    virtual ~I_HashTableObject() = default;
};

} // namespace Util
