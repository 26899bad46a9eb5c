#include "Render/Text/Utf8.h"

namespace Text {

namespace {

bool continuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length a lead byte announces and the bits it carries; 0 for a byte
// that starts no sequence.
int sequenceLength(unsigned char lead, char32_t& bits)
{
    if (lead < 0x80) {
        bits = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        bits = lead & 0x1F;
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        bits = lead & 0x0F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        bits = lead & 0x07;
        return 4;
    }
    return 0;
}

// The smallest code point each length may carry: anything less is an
// overlong form.
constexpr char32_t LEAST[5] = {0, 0, 0x80, 0x800, 0x10000};

} // namespace

std::vector<char32_t> Utf8::decode(const std::string& text)
{
    std::vector<char32_t> out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        char32_t code = 0;
        const int length = sequenceLength(static_cast<unsigned char>(text[at]), code);
        int taken = length > 0 ? 1 : 0;
        while (taken > 0 && taken < length && at + taken < text.size() &&
               continuation(static_cast<unsigned char>(text[at + taken]))) {
            code = (code << 6) | (static_cast<unsigned char>(text[at + taken]) & 0x3F);
            ++taken;
        }
        const bool whole = length > 0 && taken == length;
        const bool valid = whole && code >= LEAST[length] && code <= 0x10FFFF &&
                           !(code >= 0xD800 && code <= 0xDFFF);
        out.push_back(valid ? code : REPLACEMENT);
        // A broken sequence gives up its lead byte only: what follows is
        // read again on its own.
        at += valid ? static_cast<std::size_t>(length) : 1;
    }
    return out;
}

std::string Utf8::encode(char32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        code = REPLACEMENT;
    }
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

} // namespace Text
