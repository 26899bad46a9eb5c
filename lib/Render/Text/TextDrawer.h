#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Render/Text/I_TextMetrics.h"
#include "Util/RGBA.h"

namespace Render {
class I_ClientArrayDraw;
class I_GlyphAtlas;
class I_RenderController;
} // namespace Render

namespace Text {

class FontFace;
class GlyphCache;

// Words on screen in a real font: UTF-8 text measured and drawn through
// FreeType, its glyphs rasterised once into a glyph picture of the render
// controller (Render::I_CreateGlyphAtlas) and drawn as textured quads. The
// face is chosen by a fontconfig pattern or a font file (setFont) and
// loaded at the first measure or draw, so a program that draws no words
// never opens a font. When no face loads, or the controller makes no glyph
// pictures, the built-in block font (Render::BlockFont, upper case, drawn
// as squares through Render::I_ClientArrayDraw) measures and draws
// instead, and failure() says why. Owns the face, its glyph picture and
// its vertex buffer; the render controller is not owned.
class TextDrawer : public I_TextMetrics {
public:
    // The face asked for when none is set: the machine's bold sans-serif.
    static constexpr const char* DEFAULT_FONT = "sans-serif:bold";
    // The glyph picture's side in texels.
    static constexpr int ATLAS_SIDE = 1024;

    explicit TextDrawer(Render::I_RenderController* controller);
    ~TextDrawer() override;
    TextDrawer(const TextDrawer&) = delete;
    TextDrawer& operator=(const TextDrawer&) = delete;

    // A fontconfig pattern or a font file's path (anything with a "/");
    // empty: DEFAULT_FONT. Takes effect before the first use only.
    void setFont(const std::string& font);
    // Loads the face now, when not yet tried; true when it draws the words
    // (false: the block font does, and failure() says why).
    bool load();
    // Why the face did not load; empty when it did, was not yet tried, or
    // the controller makes no glyph pictures (the block font draws then
    // too).
    const std::string& failure() const { return reason; }

    int width(const std::string& utf8, int pixelSize) override;
    int ascent(int pixelSize) override;
    int lineHeight(int pixelSize) override;

    // Draws the text with the upper left corner of its line box at (left,
    // top), y growing upward (as RenderHelper::set2D sets up), blended
    // over what is below. Pen positions are whole pixels.
    void draw(const std::string& utf8, float left, float top, int pixelSize,
              Util::RGBA const& color);

private:
    void buildQuads(const std::vector<char32_t>& codes, float left, float baseline, int pixelSize);
    void drawBlock(const std::string& utf8, float left, float top, int pixelSize,
                   Util::RGBA const& color);

    Render::I_RenderController* controller;
    Render::I_ClientArrayDraw* clientArrays;
    std::string font;
    bool tried;
    std::string reason;
    std::unique_ptr<FontFace> face;
    std::unique_ptr<Render::I_GlyphAtlas> atlas;
    std::unique_ptr<GlyphCache> glyphs;
    std::vector<float> vertices;
};

} // namespace Text
