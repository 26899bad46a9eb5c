#include "Render/BlockFont.h"

#include <cctype>

namespace Render {

namespace {

struct Glyph {
    unsigned char character;
    unsigned char rows[BlockFont::GLYPH_HEIGHT];
};

// The second byte of "·" in UTF-8; its first byte, 0xC2, is skipped.
constexpr unsigned char MIDDLE_DOT = 0xB7;
constexpr unsigned char UTF8_LEAD = 0xC2;

const Glyph GLYPHS[] = {
    {'0', {0b01110, 0b10001, 0b10011, 0b10101, 0b11001, 0b10001, 0b01110}},
    {'1', {0b00100, 0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'2', {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b01000, 0b11111}},
    {'3', {0b11111, 0b00010, 0b00100, 0b00010, 0b00001, 0b10001, 0b01110}},
    {'4', {0b00010, 0b00110, 0b01010, 0b10010, 0b11111, 0b00010, 0b00010}},
    {'5', {0b11111, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110}},
    {'6', {0b00110, 0b01000, 0b10000, 0b11110, 0b10001, 0b10001, 0b01110}},
    {'7', {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b01000, 0b01000}},
    {'8', {0b01110, 0b10001, 0b10001, 0b01110, 0b10001, 0b10001, 0b01110}},
    {'9', {0b01110, 0b10001, 0b10001, 0b01111, 0b00001, 0b00010, 0b01100}},
    {'A', {0b01110, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'B', {0b11110, 0b10001, 0b10001, 0b11110, 0b10001, 0b10001, 0b11110}},
    {'C', {0b01110, 0b10001, 0b10000, 0b10000, 0b10000, 0b10001, 0b01110}},
    {'D', {0b11100, 0b10010, 0b10001, 0b10001, 0b10001, 0b10010, 0b11100}},
    {'E', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b11111}},
    {'F', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'G', {0b01110, 0b10001, 0b10000, 0b10111, 0b10001, 0b10001, 0b01111}},
    {'H', {0b10001, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'I', {0b01110, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'J', {0b00111, 0b00010, 0b00010, 0b00010, 0b00010, 0b10010, 0b01100}},
    {'K', {0b10001, 0b10010, 0b10100, 0b11000, 0b10100, 0b10010, 0b10001}},
    {'L', {0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b11111}},
    {'M', {0b10001, 0b11011, 0b10101, 0b10101, 0b10001, 0b10001, 0b10001}},
    {'N', {0b10001, 0b10001, 0b11001, 0b10101, 0b10011, 0b10001, 0b10001}},
    {'O', {0b01110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'P', {0b11110, 0b10001, 0b10001, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'Q', {0b01110, 0b10001, 0b10001, 0b10001, 0b10101, 0b10010, 0b01101}},
    {'R', {0b11110, 0b10001, 0b10001, 0b11110, 0b10100, 0b10010, 0b10001}},
    {'S', {0b01111, 0b10000, 0b10000, 0b01110, 0b00001, 0b00001, 0b11110}},
    {'T', {0b11111, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100}},
    {'U', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'V', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01010, 0b00100}},
    {'W', {0b10001, 0b10001, 0b10001, 0b10101, 0b10101, 0b10101, 0b01010}},
    {'X', {0b10001, 0b10001, 0b01010, 0b00100, 0b01010, 0b10001, 0b10001}},
    {'Y', {0b10001, 0b10001, 0b10001, 0b01010, 0b00100, 0b00100, 0b00100}},
    {'Z', {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b10000, 0b11111}},
    {'-', {0b00000, 0b00000, 0b00000, 0b11111, 0b00000, 0b00000, 0b00000}},
    {'+', {0b00000, 0b00100, 0b00100, 0b11111, 0b00100, 0b00100, 0b00000}},
    {'=', {0b00000, 0b00000, 0b11111, 0b00000, 0b11111, 0b00000, 0b00000}},
    {':', {0b00000, 0b01100, 0b01100, 0b00000, 0b01100, 0b01100, 0b00000}},
    {'.', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b01100, 0b01100}},
    {'/', {0b00000, 0b00001, 0b00010, 0b00100, 0b01000, 0b10000, 0b00000}},
    {'!', {0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00000, 0b00100}},
    {MIDDLE_DOT, {0b00000, 0b00000, 0b00000, 0b01100, 0b01100, 0b00000, 0b00000}},
};

const unsigned char BLANK[BlockFont::GLYPH_HEIGHT] = {};

const Glyph* find(unsigned char character)
{
    const unsigned char upper = static_cast<unsigned char>(std::toupper(character));
    for (const Glyph& glyph : GLYPHS) {
        if (glyph.character == upper) {
            return &glyph;
        }
    }
    return nullptr;
}

} // namespace

const unsigned char* BlockFont::glyph(unsigned char character)
{
    const Glyph* found = find(character);
    return found != nullptr ? found->rows : BLANK;
}

bool BlockFont::hasGlyph(unsigned char character)
{
    return find(character) != nullptr;
}

int BlockFont::length(const std::string& text)
{
    int count = 0;
    for (const char c : text) {
        count += static_cast<unsigned char>(c) == UTF8_LEAD ? 0 : 1;
    }
    return count;
}

int BlockFont::width(const std::string& text)
{
    const int characters = length(text);
    return characters == 0 ? 0 : characters * ADVANCE - (ADVANCE - GLYPH_WIDTH);
}

int BlockFont::appendQuads(const std::string& text, float left, float top, float pixelSize,
                           std::vector<float>& out)
{
    int squares = 0;
    int column = 0;
    for (const char c : text) {
        const unsigned char character = static_cast<unsigned char>(c);
        if (character == UTF8_LEAD) {
            continue;
        }
        const unsigned char* rows = glyph(character);
        for (int row = 0; row < GLYPH_HEIGHT; ++row) {
            for (int bit = 0; bit < GLYPH_WIDTH; ++bit) {
                if ((rows[row] & (0x10 >> bit)) == 0) {
                    continue;
                }
                const float x0 = left + (column * ADVANCE + bit) * pixelSize;
                const float y0 = top - row * pixelSize;
                const float x1 = x0 + pixelSize;
                const float y1 = y0 - pixelSize;
                // Upper left, lower left, lower right, upper right: the
                // counter-clockwise winding that back-face culling keeps.
                out.insert(out.end(), {x0, y0, 0, x0, y1, 0, x1, y1, 0, x1, y0, 0});
                ++squares;
            }
        }
        ++column;
    }
    return squares;
}

} // namespace Render
