#pragma once

#include "Util/HashedItem.h"
#include "Util/IDHashTable.h"
#include "Util/UniqueID.h"

namespace Util {

// A unique id that is recorded in the process-wide id table for exactly the
// object's lifetime. Event consumers carry it as a virtual base, so every
// consumer has one id however it is derived. The table owns nothing; this
// object owns its table item.
template <typename T>
class HashedID : public UniqueID<T> {
public:
    HashedID() { enter(); }
    HashedID(const HashedID& other) : UniqueID<T>(other) { enter(); }
    HashedID& operator=(const HashedID&) { return *this; }

    virtual ~HashedID()
    {
        HashedItem<T> probe(this->id);
        delete IDHashTable<T>::instance().remove(&probe);
    }

private:
    void enter() { IDHashTable<T>::instance().insert(new HashedItem<T>(this->id)); }
};

} // namespace Util
