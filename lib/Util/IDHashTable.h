#pragma once

#include "Util/BasicHashTable.h"
#include "Util/HashedItem.h"

namespace Util {

// The table of every live object id (see HashedID), 1009 buckets.
template <typename T>
class IDHashTable final : public BasicHashTable<HashedItem<T>> {
public:
    static constexpr unsigned long BUCKETS = 1009;

    IDHashTable() : BasicHashTable<HashedItem<T>>(BUCKETS) {}

    // The process-wide table, made on first use. It is never destroyed:
    // objects with ids may be destroyed late during exit, and must still find
    // the table to take their id out; its items also stay reachable for leak
    // checkers.
    static IDHashTable& instance()
    {
        static IDHashTable* l_table = new IDHashTable();
        return *l_table;
    }
};

} // namespace Util
