#pragma once

#include <string>
#include <vector>

namespace Render {

// A built-in 5 x 7 block font for words on screen: upper-case letters
// (lower case is shown as upper case), digits, a little punctuation and the
// middle dot "·". Text becomes one square per lit font pixel, as quads any
// render controller draws from a client array (RENDER_QUADS), with no GL
// call, no font library and no files. Holds no state.
class BlockFont {
public:
    static constexpr int GLYPH_WIDTH = 5;
    static constexpr int GLYPH_HEIGHT = 7;
    // Font pixels from one character's left edge to the next one's.
    static constexpr int ADVANCE = 6;

    // The glyph's GLYPH_HEIGHT rows, top first, bit 4 the leftmost pixel;
    // every row 0 for a blank or a character the font does not have.
    static const unsigned char* glyph(unsigned char character);
    static bool hasGlyph(unsigned char character);
    // Characters laid out: bytes, except that the UTF-8 lead byte of "·"
    // (0xC2) takes no room.
    static int length(const std::string& text);
    // Width of the text in font pixels (no gap after the last character).
    static int width(const std::string& text);
    // Appends, to out, 12 floats (four x, y, z vertices) per lit pixel, with
    // the text's upper left corner at (left, top), y growing upward and
    // each font pixel pixelSize units wide. Returns the squares appended.
    static int appendQuads(const std::string& text, float left, float top, float pixelSize,
                           std::vector<float>& out);
};

} // namespace Render
