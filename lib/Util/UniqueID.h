#pragma once

namespace Util {

// Gives each object a process-unique number, taken from a class-wide counter
// that starts at 1 and is never turned back, so a number is never handed out
// twice in a run. A copy is another object and takes a number of its own.
template <typename T>
class UniqueID {
public:
    UniqueID() : id(nextID()) {}
    UniqueID(const UniqueID&) : id(nextID()) {}
    // Assignment copies an object's state, never its identity.
    UniqueID& operator=(const UniqueID&) { return *this; }
    ~UniqueID() = default;

    static T nextID()
    {
        static T l_prevID = 0;
        return ++l_prevID;
    }

    const T id;
};

} // namespace Util
