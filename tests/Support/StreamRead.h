#pragma once

#include <limits>
#include <sstream>
#include <string>

namespace TestSupport {

// The reference for number reads: what a formatted stream read gives, "0x"
// switching integers to base 16, 0 for the empty text; false when the read
// fails. Util::strToNum reads numbers without a stream where it can and
// must agree with this everywhere (the property test and the string
// fuzzer both compare).
template <typename T>
bool streamRead(const std::string& text, T& value)
{
    value = 0;
    if (text.empty()) {
        return true;
    }
    std::istringstream in(text);
    if (std::numeric_limits<T>::is_integer && text.compare(0, 2, "0x") == 0) {
        in >> std::hex;
    }
    return static_cast<bool>(in >> value);
}

} // namespace TestSupport
