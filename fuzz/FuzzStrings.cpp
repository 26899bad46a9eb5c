// Fuzzing harness: the string and number helpers, and UTF-8 as the words
// on screen read it (names arrive from servers).
//
// Input layout: one byte of switches (bit 0 keep empty pieces, bit 1 trim
// pieces), one byte whose low two bits give the separator's length, the
// separator, then the text. The text is split, read as each kind of
// number, and decoded as UTF-8; the results are checked against properties
// any caller relies on and against a formatted stream read of the same text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "Render/Text/Utf8.h"
#include "Support/StreamRead.h"
#include "Util/StringHelpers.h"

namespace {

void check(bool holds)
{
    if (!holds) {
        std::abort();
    }
}

std::size_t occurrences(const std::string& text, const std::string& separator)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, at + separator.size())) {
        ++count;
    }
    return count;
}

void checkSplit(const std::string& text, const std::string& separator, bool keepEmpty,
                bool trimPieces)
{
    std::vector<std::string> pieces{"kept"};
    std::size_t count = Util::splitString(text, separator, pieces, keepEmpty, trimPieces);
    check(count == pieces.size() && pieces.front() == "kept");
    std::string joined;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::string& piece = pieces[i];
        check(keepEmpty || !piece.empty());
        check(!trimPieces || piece == Util::trim(piece, Util::WHITESPACE));
        joined += (i > 1 ? separator : "") + piece;
    }
    // Kept whole and untrimmed, the pieces give the text back.
    if (keepEmpty && !trimPieces && !separator.empty()) {
        check(joined == text);
        check(count - 1 == occurrences(text, separator) + 1);
    }
}

template <typename T>
bool readNumber(const std::string& text, T& value)
{
    T expected = 0;
    const bool readable = TestSupport::streamRead(text, expected);
    try {
        value = Util::strToNum<T>(text);
        check(readable && std::memcmp(&value, &expected, sizeof(T)) == 0);
        return true;
    } catch (const std::domain_error& error) {
        // what() is a C string: a text with a NUL byte shows up to it.
        std::string message = "Cant convert String to Num:" + text;
        check(std::string(error.what()) == message.c_str());
        check(!readable);
        return false;
    }
}

void checkNumbers(const std::string& text)
{
    int whole = 0;
    if (readNumber(text, whole)) {
        // What numToStr writes in base 10, strToNum reads back unchanged.
        check(Util::strToNum<int>(Util::numToStr<int>(whole, 10, 0)) == whole);
    }
    float real = 0.0f;
    readNumber(text, real);
    unsigned int small = 0;
    readNumber(text, small);
    unsigned long wide = 0;
    readNumber(text, wide);
    check(!text.empty() || (whole == 0 && real == 0.0f && small == 0 && wide == 0));
}

// At most one code point per byte, each valid; what encode writes decodes
// back unchanged, and valid UTF-8 is itself again.
void checkUtf8(const std::string& text)
{
    const std::vector<char32_t> codes = Text::Utf8::decode(text);
    check(codes.size() <= text.size());
    std::string again;
    for (const char32_t code : codes) {
        check(code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF));
        again += Text::Utf8::encode(code);
    }
    check(Text::Utf8::decode(again) == codes);
    const bool valid = std::find(codes.begin(), codes.end(), Text::Utf8::REPLACEMENT) ==
                       codes.end();
    check(!valid || again == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    bool keepEmpty = (data[0] & 1) != 0;
    bool trimPieces = (data[0] & 2) != 0;
    std::size_t separatorSize = data[1] & 3;
    if (size < 2 + separatorSize) {
        return 0;
    }
    std::string separator(reinterpret_cast<const char*>(data) + 2, separatorSize);
    std::string text(reinterpret_cast<const char*>(data) + 2 + separatorSize,
                     size - 2 - separatorSize);
    checkSplit(text, separator, keepEmpty, trimPieces);
    checkNumbers(text);
    checkUtf8(text);
    return 0;
}
