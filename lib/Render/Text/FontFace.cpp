#include "Render/Text/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>

#include "Render/Text/Utf8.h"

namespace Text {

namespace {

FT_Library asLibrary(void* handle)
{
    return static_cast<FT_Library>(handle);
}

FT_Face asFace(void* handle)
{
    return static_cast<FT_Face>(handle);
}

// 26.6 fixed point to whole pixels, rounded up (ascent, descent: nothing
// of a glyph is cut) or to the nearest (advances).
int ceilPixels(long value)
{
    return static_cast<int>((value + 63) >> 6);
}

int roundPixels(long value)
{
    return static_cast<int>((value + 32) >> 6);
}

} // namespace

FontFace::FontFace() : library(nullptr), face(nullptr), sizeSet(0), reason() {}

FontFace::~FontFace()
{
    close();
}

void FontFace::close()
{
    if (face != nullptr) {
        FT_Done_Face(asFace(face));
        face = nullptr;
    }
    if (library != nullptr) {
        FT_Done_FreeType(asLibrary(library));
        library = nullptr;
    }
    sizeSet = 0;
}

bool FontFace::open(const std::string& file, int index)
{
    close();
    FT_Library newLibrary = nullptr;
    if (FT_Init_FreeType(&newLibrary) != 0) {
        reason = "FreeType could not start";
        return false;
    }
    library = newLibrary;
    FT_Face newFace = nullptr;
    if (FT_New_Face(newLibrary, file.c_str(), index, &newFace) != 0) {
        reason = "FreeType cannot read " + file + " as a font";
        close();
        return false;
    }
    face = newFace;
    if (!FT_IS_SCALABLE(newFace)) {
        reason = file + " is no scalable font";
        close();
        return false;
    }
    reason.clear();
    return true;
}

bool FontFace::setSize(int pixelSize)
{
    if (face == nullptr) {
        return false;
    }
    const int size = std::clamp(pixelSize, 1, MAX_PIXEL_SIZE);
    if (size != sizeSet) {
        if (FT_Set_Pixel_Sizes(asFace(face), 0, static_cast<FT_UInt>(size)) != 0) {
            return false;
        }
        sizeSet = size;
    }
    return true;
}

FontFace::Metrics FontFace::metrics(int pixelSize)
{
    Metrics out;
    if (!setSize(pixelSize)) {
        return out;
    }
    const FT_Size_Metrics& size = asFace(face)->size->metrics;
    out.ascent = ceilPixels(size.ascender);
    out.descent = ceilPixels(-size.descender);
    out.lineHeight = std::max(ceilPixels(size.height), out.ascent + out.descent);
    return out;
}

unsigned int FontFace::glyphIndex(char32_t code) const
{
    FT_Face handle = asFace(face);
    FT_UInt index = FT_Get_Char_Index(handle, code);
    if (index == 0) {
        // The replacement character when the face has one, else glyph 0,
        // the face's own "missing glyph".
        index = FT_Get_Char_Index(handle, Utf8::REPLACEMENT);
    }
    return index;
}

bool FontFace::has(char32_t code) const
{
    return face != nullptr && FT_Get_Char_Index(asFace(face), code) != 0;
}

FontFace::Glyph FontFace::glyph(char32_t code, int pixelSize, bool withCoverage)
{
    Glyph out;
    if (!setSize(pixelSize)) {
        return out;
    }
    FT_Face handle = asFace(face);
    const FT_Int32 flags = withCoverage ? FT_LOAD_RENDER : FT_LOAD_DEFAULT;
    if (FT_Load_Glyph(handle, glyphIndex(code), flags) != 0) {
        return out;
    }
    const FT_GlyphSlot slot = handle->glyph;
    out.advance = roundPixels(slot->advance.x);
    // FreeType renders grey bitmaps top row first (a positive pitch); any
    // other kind is left without ink rather than misread.
    if (!withCoverage || slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || slot->bitmap.pitch < 0) {
        return out;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.coverage.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int row = 0; row < out.height; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        std::memcpy(&out.coverage[static_cast<std::size_t>(row) * out.width], source,
                    static_cast<std::size_t>(out.width));
    }
    return out;
}

} // namespace Text
