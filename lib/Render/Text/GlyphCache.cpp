#include "Render/Text/GlyphCache.h"

#include "Render/I_GlyphAtlas.h"
#include "Render/Text/FontFace.h"

namespace Text {

namespace {

// Texels left clear around every glyph.
constexpr int GAP = 1;
// A memo of advances larger than this starts over: names from a server may
// bring any number of different characters.
constexpr std::size_t MOST_ADVANCES = 1 << 16;

} // namespace

GlyphCache::GlyphCache(FontFace& face, Render::I_GlyphAtlas& atlas)
    : face(face), atlas(atlas), entries(), advances(), shelfX(GAP), shelfY(GAP), shelfHeight(0),
      resets(0)
{
}

std::uint64_t GlyphCache::key(char32_t code, int pixelSize)
{
    return (static_cast<std::uint64_t>(pixelSize) << 32) | code;
}

int GlyphCache::advance(char32_t code, int pixelSize)
{
    const std::uint64_t at = key(code, pixelSize);
    const auto drawn = entries.find(at);
    if (drawn != entries.end()) {
        return drawn->second.advance;
    }
    const auto known = advances.find(at);
    if (known != advances.end()) {
        return known->second;
    }
    if (advances.size() >= MOST_ADVANCES) {
        advances.clear();
    }
    const int value = face.glyph(code, pixelSize, false).advance;
    advances.emplace(at, value);
    return value;
}

const GlyphCache::Entry& GlyphCache::get(char32_t code, int pixelSize)
{
    const std::uint64_t at = key(code, pixelSize);
    const auto known = entries.find(at);
    if (known != entries.end()) {
        return known->second;
    }
    const FontFace::Glyph glyph = face.glyph(code, pixelSize, true);
    Entry entry;
    entry.left = glyph.left;
    entry.top = glyph.top;
    entry.advance = glyph.advance;
    int x = 0;
    int y = 0;
    if (glyph.width > 0 && glyph.height > 0 && place(glyph.width, glyph.height, x, y)) {
        atlas.update(x, y, glyph.width, glyph.height, glyph.coverage.data());
        const float width = static_cast<float>(atlas.getWidth());
        const float height = static_cast<float>(atlas.getHeight());
        entry.width = glyph.width;
        entry.height = glyph.height;
        entry.u0 = x / width;
        entry.v0 = y / height;
        entry.u1 = (x + glyph.width) / width;
        entry.v1 = (y + glyph.height) / height;
    }
    return entries.emplace(at, entry).first->second;
}

bool GlyphCache::place(int width, int height, int& x, int& y)
{
    const int atlasWidth = atlas.getWidth();
    const int atlasHeight = atlas.getHeight();
    if (width + 2 * GAP > atlasWidth || height + 2 * GAP > atlasHeight) {
        return false;
    }
    if (shelfX + width + GAP > atlasWidth) {
        shelfY += shelfHeight + GAP;
        shelfX = GAP;
        shelfHeight = 0;
    }
    if (shelfY + height + GAP > atlasHeight) {
        reset();
    }
    x = shelfX;
    y = shelfY;
    shelfX += width + GAP;
    shelfHeight = shelfHeight > height ? shelfHeight : height;
    return true;
}

void GlyphCache::reset()
{
    atlas.clear();
    entries.clear();
    shelfX = GAP;
    shelfY = GAP;
    shelfHeight = 0;
    ++resets;
}

} // namespace Text
