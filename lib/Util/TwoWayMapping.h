#pragma once

#include <map>

namespace Util {

// Two ordered maps kept in step, one per direction, each with a fallback for
// lookups that miss. A later add overwrites earlier entries in either
// direction, so the mapping need not stay one-to-one.
template <typename K, typename V>
class TwoWayMapping {
public:
    TwoWayMapping(const K& invalidKeyValue, const V& invalidValueValue)
        : invalidKey(invalidKeyValue), invalidValue(invalidValueValue)
    {
    }

    void add(const K& k, const V& v)
    {
        backward[v] = k;
        forward[k] = v;
    }

    const V& getValue(const K& k) const
    {
        auto found = forward.find(k);
        return found == forward.end() ? invalidValue : found->second;
    }

    const K& getKey(const V& v) const
    {
        auto found = backward.find(v);
        return found == backward.end() ? invalidKey : found->second;
    }

    std::size_t keyCount() const { return forward.size(); }
    std::size_t valueCount() const { return backward.size(); }

private:
    std::map<K, V> forward;
    std::map<V, K> backward;
    K invalidKey;
    V invalidValue;
};

} // namespace Util
