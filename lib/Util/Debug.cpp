#include "Util/Debug.h"

#include <iostream>

namespace Util {

Debug::Debug() : switches(0x0E), out(&std::cout), err(&std::cerr) {}

} // namespace Util
