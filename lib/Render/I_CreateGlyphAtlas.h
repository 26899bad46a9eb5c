#pragma once

namespace Render {

class I_GlyphAtlas;

// Makes glyph pictures (I_GlyphAtlas). A render controller that can draw
// them offers this beside its own interface; text code finds it with a
// checked downcast and falls back to quads of its own where there is none.
class I_CreateGlyphAtlas {
public:
    virtual ~I_CreateGlyphAtlas() {}

    // A clear picture of width x height coverage bytes, owned by the
    // caller; null when the controller cannot hold one that large.
    virtual I_GlyphAtlas* createGlyphAtlas(int width, int height) = 0;
};

} // namespace Render
