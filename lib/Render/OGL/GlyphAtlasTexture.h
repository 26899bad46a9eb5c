#pragma once

#include "Render/GlyphAtlasImage.h"
#include "Util/NonCopyable.h"

namespace OGL {

// A glyph picture in an OpenGL alpha texture: each update sends its block,
// and draw is one batch of textured quads in the given colour, blended
// over the window with nearest-texel sampling, so glyphs placed on whole
// pixels come out exactly as rasterised. Keeps the picture in memory too
// (Render::GlyphAtlasImage), so a clear sends it whole. Owns its texture;
// needs the OpenGL context current from construction to destruction.
class GlyphAtlasTexture : public Render::GlyphAtlasImage, Util::NonCopyable<GlyphAtlasTexture> {
public:
    // Whether the driver takes a texture of width x height texels.
    static bool fits(int width, int height);

    GlyphAtlasTexture(int width, int height);
    ~GlyphAtlasTexture() override;

    void update(int x, int y, int blockWidth, int blockHeight,
                const unsigned char* coverage) override;
    void clear() override;
    void draw(const float* xyuv, unsigned int count, Util::RGBA const& color) override;

private:
    void send(int x, int y, int blockWidth, int blockHeight, const unsigned char* coverage);

    unsigned int texture;
};

} // namespace OGL
