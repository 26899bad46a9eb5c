#pragma once

#include <string>
#include <vector>

namespace Text {

// UTF-8 text as the code points a font draws. Holds no state.
class Utf8 {
public:
    // U+FFFD, which takes the place of every byte that is no part of a
    // well-formed sequence.
    static constexpr char32_t REPLACEMENT = 0xFFFD;

    // The code points of text: an overlong form, a surrogate, a value above
    // U+10FFFF, a stray continuation byte or a sequence cut short each give
    // one REPLACEMENT per byte that cannot start a valid sequence.
    static std::vector<char32_t> decode(const std::string& text);
    // The UTF-8 bytes of one code point; REPLACEMENT's for one that has none.
    static std::string encode(char32_t code);
};

} // namespace Text
