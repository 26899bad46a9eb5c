#include "Util/StringHelpers.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <sstream>
#include <stdexcept>

namespace Util {

bool readDecimal(const std::string& text, unsigned long long max, unsigned long long& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value <= max;
}

const char* const WHITESPACE = " \t\n\r";

std::string trim(const std::string& text, const std::string& chars)
{
    std::string::size_type first = text.find_first_not_of(chars);
    if (first == std::string::npos) {
        return std::string();
    }
    std::string::size_type last = text.find_last_not_of(chars);
    return text.substr(first, last - first + 1);
}

bool startswith(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool endswith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

namespace {

void addPiece(std::string piece, std::vector<std::string>& pieces, bool keepEmpty, bool trimPiece)
{
    if (trimPiece) {
        piece = trim(piece, WHITESPACE);
    }
    if (keepEmpty || !piece.empty()) {
        pieces.push_back(std::move(piece));
    }
}

} // namespace

std::size_t splitString(const std::string& text, const std::string& separator,
                        std::vector<std::string>& pieces, bool keepEmpty, bool trimPieces)
{
    if (separator.empty()) {
        addPiece(text, pieces, keepEmpty, trimPieces);
        return pieces.size();
    }
    std::string::size_type start = 0;
    while (true) {
        std::string::size_type found = text.find(separator, start);
        if (found == std::string::npos) {
            addPiece(text.substr(start), pieces, keepEmpty, trimPieces);
            return pieces.size();
        }
        addPiece(text.substr(start, found - start), pieces, keepEmpty, trimPieces);
        start = found + separator.size();
    }
}

namespace {

[[noreturn]] void cannotConvert(const std::string& text)
{
    throw std::domain_error("Cant convert String to Num:" + text);
}

template <typename T>
T streamInteger(const std::string& text)
{
    std::istringstream stream(text);
    if (startswith(text, "0x")) {
        stream >> std::hex;
    }
    T value = 0;
    if (!(stream >> value)) {
        cannotConvert(text);
    }
    return value;
}

float streamFloat(const std::string& text)
{
    std::istringstream stream(text);
    float value = 0.0f;
    if (!(stream >> value)) {
        cannotConvert(text);
    }
    return value;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The common case of a settings value, a plain decimal integer that fills
// the whole text ("60", "-1"), read without building a stream. The digit
// count stays within what T always holds, so no overflow check is needed.
// Anything else (blanks, "0x", a sign on an unsigned type, trailing text,
// more digits) is left to the stream, which then decides exactly as before.
template <typename T>
bool plainInteger(const std::string& text, T& value)
{
    const char* at = text.data();
    const char* end = at + text.size();
    const bool negative = std::numeric_limits<T>::is_signed && at != end && *at == '-';
    if (negative) {
        ++at;
    }
    const std::ptrdiff_t digits = end - at;
    if (digits < 1 || digits > std::numeric_limits<T>::digits10) {
        return false;
    }
    T magnitude = 0;
    for (; at != end; ++at) {
        if (!isDigit(*at)) {
            return false;
        }
        magnitude = static_cast<T>(magnitude * 10 + static_cast<T>(*at - '0'));
    }
    value = negative ? static_cast<T>(-magnitude) : magnitude;
    return true;
}

// What plainFloat learns of a text in one pass.
struct DecimalText {
    bool negative = false;
    bool anyDigit = false;
    bool nonZero = false;
    bool exponent = false;
    // The digits without leading zeros, as long as there are at most
    // MAX_EXACT_DIGITS of them, and how many digits follow the point.
    std::uint32_t digits = 0;
    int significant = 0;
    int fractionDigits = 0;
};

// Up to 7 significant digits the digits are below 2^24, a float holds them
// exactly, and so does it 10^k up to k = 10: one float division then
// rounds the decimal value correctly, as strtof does (Clinger's fast path).
constexpr int MAX_EXACT_DIGITS = 7;
constexpr int MAX_EXACT_FRACTION = 10;
constexpr float POWERS_OF_TEN[MAX_EXACT_FRACTION + 1] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                                         1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

const char* takeDigits(const char* at, const char* end, DecimalText& text, bool fraction)
{
    for (; at != end && isDigit(*at); ++at) {
        text.anyDigit = true;
        const int digit = *at - '0';
        text.nonZero = text.nonZero || digit != 0;
        if (text.nonZero) {
            ++text.significant;
            if (text.significant <= MAX_EXACT_DIGITS) {
                text.digits = text.digits * 10 + static_cast<std::uint32_t>(digit);
            }
        }
        text.fractionDigits += fraction ? 1 : 0;
    }
    return at;
}

// Whether the whole text is a plain decimal float: an optional '-', digits
// with at most one '.', at least one digit, an optional exponent with
// digits.
bool scanDecimal(const char* at, const char* end, DecimalText& text)
{
    if (at != end && *at == '-') {
        text.negative = true;
        ++at;
    }
    at = takeDigits(at, end, text, false);
    if (at != end && *at == '.') {
        at = takeDigits(at + 1, end, text, true);
    }
    if (!text.anyDigit) {
        return false;
    }
    if (at != end && (*at == 'e' || *at == 'E')) {
        text.exponent = true;
        ++at;
        if (at != end && (*at == '+' || *at == '-')) {
            ++at;
        }
        const char* digitsStart = at;
        while (at != end && isDigit(*at)) {
            ++at;
        }
        if (at == digitsStart) {
            return false;
        }
    }
    return at == end;
}

// A plain decimal float that fills the whole text, read without a stream:
// short values exactly (see POWERS_OF_TEN), others with std::from_chars,
// which rounds correctly as the stream's strtof does. Results that are not
// a normal number (out of range, subnormal, zero from non-zero digits) are
// left to the stream all the same, so that its range handling stays the
// only one.
bool plainFloat(const std::string& text, float& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    DecimalText decimal;
    if (!scanDecimal(begin, end, decimal)) {
        return false;
    }
    if (!decimal.exponent && decimal.significant <= MAX_EXACT_DIGITS &&
        decimal.fractionDigits <= MAX_EXACT_FRACTION) {
        const float magnitude =
            static_cast<float>(decimal.digits) / POWERS_OF_TEN[decimal.fractionDigits];
        value = decimal.negative ? -magnitude : magnitude;
        return true;
    }
    float result = 0.0f;
    const std::from_chars_result read = std::from_chars(begin, end, result);
    if (read.ec != std::errc() || read.ptr != end) {
        return false;
    }
    if (!std::isnormal(result) && !(result == 0.0f && !decimal.nonZero)) {
        return false;
    }
    value = result;
    return true;
}

template <typename T>
T readInteger(const std::string& text)
{
    T value = 0;
    return plainInteger(text, value) ? value : streamInteger<T>(text);
}

} // namespace

// The program's global locale is never changed, so every stream these
// functions make reads in the classic locale that the fast paths assume.

template <>
int strToNum<int>(const std::string& text)
{
    return text.empty() ? 0 : readInteger<int>(text);
}

template <>
unsigned int strToNum<unsigned int>(const std::string& text)
{
    return text.empty() ? 0u : readInteger<unsigned int>(text);
}

template <>
unsigned long strToNum<unsigned long>(const std::string& text)
{
    return text.empty() ? 0ul : readInteger<unsigned long>(text);
}

template <>
float strToNum<float>(const std::string& text)
{
    if (text.empty()) {
        return 0.0f;
    }
    // Whole numbers of up to seven digits, the usual settings value, are
    // exact in a float; the loop below is all they cost.
    if (text.size() <= static_cast<std::size_t>(MAX_EXACT_DIGITS)) {
        std::uint32_t whole = 0;
        std::size_t at = 0;
        for (; at < text.size() && isDigit(text[at]); ++at) {
            whole = whole * 10 + static_cast<std::uint32_t>(text[at] - '0');
        }
        if (at == text.size()) {
            return static_cast<float>(whole);
        }
    }
    float value = 0.0f;
    return plainFloat(text, value) ? value : streamFloat(text);
}

namespace {

std::ostringstream numberStream(int base, int width)
{
    std::ostringstream stream;
    stream << std::setfill('0') << std::showbase;
    if (width > 0) {
        stream << std::setw(width);
    }
    if (base == 8) {
        stream << std::oct;
    } else if (base == 10) {
        stream << std::dec;
    } else if (base == 16) {
        stream << std::hex;
    }
    return stream;
}

} // namespace

template <>
std::string numToStr<int>(int value, int base, int width)
{
    std::ostringstream stream = numberStream(base, width);
    stream << value;
    return stream.str();
}

template <>
std::string numToStr<float>(float value, int base, int width)
{
    std::ostringstream stream = numberStream(base, width);
    stream << value;
    return stream.str();
}

} // namespace Util
