#pragma once

#include <cstddef>
#include <string>
#include <vector>

// String and number helpers shared by the whole framework.
namespace Util {

// The blanks that settings text is trimmed of.
extern const char* const WHITESPACE;

// text without the leading and trailing characters that occur in chars.
std::string trim(const std::string& text, const std::string& chars = WHITESPACE);

bool startswith(const std::string& text, const std::string& prefix);
bool endswith(const std::string& text, const std::string& suffix);

// Appends the pieces of text between occurrences of separator to pieces
// (without clearing it) and returns the new number of elements. An empty
// separator leaves text whole.
std::size_t splitString(const std::string& text, const std::string& separator,
                        std::vector<std::string>& pieces, bool keepEmpty = false,
                        bool trimPieces = true);

// Reads text that is all decimal digits (no sign, no blanks) as a whole
// number no larger than max; false, with value unspecified, for anything
// else, an overflow included.
bool readDecimal(const std::string& text, unsigned long long max, unsigned long long& value);

// Reads a number from the start of text as a formatted stream read does:
// base 16 after "0x" (integers only), base 10 otherwise; "" gives 0.
// Throws std::domain_error("Cant convert String to Num:" + text) when no
// number can be read. Defined for float, int, unsigned int, unsigned long.
template <typename T>
T strToNum(const std::string& text);

// Writes value with fill "0" to the minimum width, the show-base flag set,
// in base 8, 10 or 16 (any other base leaves the stream's base alone).
// Defined for float and int.
template <typename T>
std::string numToStr(T value, int base = 10, int width = 0);

} // namespace Util
