#include "Util/StringHelpers.h"

#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace Util {

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
T readInteger(const std::string& text)
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

} // namespace

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
    std::istringstream stream(text);
    float value = 0.0f;
    if (!(stream >> value)) {
        cannotConvert(text);
    }
    return value;
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
