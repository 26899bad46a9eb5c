#pragma once

#include <cstdint>
#include <unordered_map>

namespace Render {
class I_GlyphAtlas;
}

namespace Text {

class FontFace;

// The glyphs of one face rasterised once into a glyph picture, packed in
// shelves (rows as tall as their tallest glyph), with a texel of space
// around each. When the picture is full it is emptied and packing starts
// over: the glyphs in use are rasterised again as they are asked for, and
// the generation changes, so a caller holding places from before knows to
// ask again. Owns its memo; the face and the picture are not owned.
class GlyphCache {
public:
    // A glyph's place in the picture (u, v from 0 to 1, v = 0 at the top)
    // and on the line (as FontFace::Glyph).
    struct Entry {
        int width = 0;
        int height = 0;
        int left = 0;
        int top = 0;
        int advance = 0;
        float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    };

    GlyphCache(FontFace& face, Render::I_GlyphAtlas& atlas);

    // The glyph, rasterised into the picture at its first use. A glyph
    // larger than the whole picture keeps its advance and shows no ink.
    const Entry& get(char32_t code, int pixelSize);
    // How far the pen moves over the glyph, without rasterising it.
    int advance(char32_t code, int pixelSize);
    // Changes whenever the picture is emptied.
    unsigned long generation() const { return resets; }

private:
    static std::uint64_t key(char32_t code, int pixelSize);
    bool place(int width, int height, int& x, int& y);
    void reset();

    FontFace& face;
    Render::I_GlyphAtlas& atlas;
    std::unordered_map<std::uint64_t, Entry> entries;
    std::unordered_map<std::uint64_t, int> advances;
    int shelfX;
    int shelfY;
    int shelfHeight;
    unsigned long resets;
};

} // namespace Text
