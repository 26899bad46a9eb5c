#pragma once

#include <vector>

#include "Render/I_GlyphAtlas.h"

namespace Render {

// A glyph picture kept in memory: the coverage bytes as the last updates
// left them, and how many quads were drawn, so a game run without a
// display still packs and "draws" its words and a test can see them. The
// base of the OpenGL texture that really draws (OGL::GlyphAtlasTexture).
// Owns its copy of the picture.
class GlyphAtlasImage : public I_GlyphAtlas {
public:
    // width and height of at least 1.
    GlyphAtlasImage(int width, int height);

    int getWidth() const override { return width; }
    int getHeight() const override { return height; }
    void update(int x, int y, int blockWidth, int blockHeight,
                const unsigned char* coverage) override;
    void clear() override;
    // Counts the quads; there is nothing to draw on.
    void draw(const float* xyuv, unsigned int count, Util::RGBA const& color) override;

    // The coverage byte at (x, y); 0 outside.
    unsigned char at(int x, int y) const;
    long getDrawnQuads() const { return drawnQuads; }

protected:
    // Whether the block lies wholly inside the picture.
    bool inside(int x, int y, int blockWidth, int blockHeight) const;

private:
    int width;
    int height;
    std::vector<unsigned char> coverage;
    long drawnQuads = 0;
};

} // namespace Render
