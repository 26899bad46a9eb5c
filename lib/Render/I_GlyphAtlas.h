#pragma once

namespace Util {
struct RGBA;
}

namespace Render {

// A picture of coverage bytes (0 clear to 255 covered) held by the render
// controller and drawn as quads in one colour, blended over what is below:
// the glyphs of a font, rasterised once and drawn many times. The picture
// starts clear.
class I_GlyphAtlas {
public:
    virtual ~I_GlyphAtlas() {}

    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;

    // Copies a width x height block of coverage bytes (rows top first,
    // tightly packed) to (x, y) of the picture, row 0 at the top. A block
    // that does not lie wholly inside the picture is ignored.
    virtual void update(int x, int y, int width, int height, const unsigned char* coverage) = 0;
    // Empties the whole picture.
    virtual void clear() = 0;

    // Draws count vertices as quads (four per quad): each vertex four
    // floats, x and y in the current coordinate system and u and v in the
    // picture (0 to 1, v = 0 at its top row). The colour's alpha scales the
    // coverage. xyuv is read during the call only.
    virtual void draw(const float* xyuv, unsigned int count, Util::RGBA const& color) = 0;
};

} // namespace Render
