#pragma once

namespace Util {

// A table of items of type T that it does not own, found by the items' own
// hash and equality.
template <typename T>
class I_HashTable {
public:
    virtual ~I_HashTable() = default;

    virtual int entries() const = 0;
    virtual void clear() = 0;
    virtual void clearAndDestroy() = 0;
    virtual T* find(const T* item) const = 0;
    virtual T* insert(T* item) = 0;
    virtual T* remove(T* item) = 0;
};

} // namespace Util
