#pragma once

#include <string>

#include "CFG/Info.h"
#include "Util/StringHelpers.h"

namespace CFG {

// Typed reading of a store's values: truth values and numbers. Holds the
// store it reads, not owned.
class InfoParser {
public:
    explicit InfoParser(const Info* info);

    // True only for exactly "YES", "Y" or "1".
    bool getBool(const std::string& key) const;

    // Util::strToNum<T> of the value, for float, int, unsigned int and
    // unsigned long: "" gives 0, "0x" reads base 16; a value that does not
    // begin with a number throws std::domain_error.
    template <typename T>
    T getNumber(const std::string& key) const
    {
        return Util::strToNum<T>(info->get(key));
    }

    const Info* info;
};

} // namespace CFG
