#pragma once

#include "Util/NonCopyable.h"

namespace Util {

// Base of a class T that exists once per process. The instance is a
// function-local static: made on the first call, destroyed after main
// returns in reverse order of creation.
template <typename T>
class Singleton : public NonCopyable<T> {
public:
    static T& instance()
    {
        static T l_instance;
        return l_instance;
    }

protected:
    Singleton() = default;
    ~Singleton() = default;
};

} // namespace Util
