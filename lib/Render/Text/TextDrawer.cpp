#include "Render/Text/TextDrawer.h"

#include <cmath>

#include "Render/BlockFont.h"
#include "Render/I_ClientArrayDraw.h"
#include "Render/I_CreateGlyphAtlas.h"
#include "Render/I_GlyphAtlas.h"
#include "Render/I_RenderController.h"
#include "Render/Text/FontFace.h"
#include "Render/Text/FontFinder.h"
#include "Render/Text/GlyphCache.h"
#include "Render/Text/Utf8.h"

namespace Text {

namespace {

// The block font's pixels per em: its 7-pixel capitals then stand as tall
// as a real face's at the same size, and a line takes one em.
constexpr float BLOCK_PIXELS_PER_EM = 10;
constexpr int BLOCK_ASCENT = 8;

constexpr char32_t MIDDLE_DOT = 0xB7;

float blockPixel(int pixelSize)
{
    return pixelSize / BLOCK_PIXELS_PER_EM;
}

// The text as the block font reads it: bytes, its one non-ASCII character
// (the middle dot) kept, every other character one blank.
std::string blockText(const std::string& utf8)
{
    std::string out;
    for (const char32_t code : Utf8::decode(utf8)) {
        if (code < 0x80 || code == MIDDLE_DOT) {
            out += Utf8::encode(code);
        } else {
            out += ' ';
        }
    }
    return out;
}

} // namespace

TextDrawer::TextDrawer(Render::I_RenderController* controller)
    : controller(controller), font(), tried(false), reason(), face(), atlas(), glyphs(), vertices()
{
}

TextDrawer::~TextDrawer() {}

void TextDrawer::setFont(const std::string& wanted)
{
    if (!tried) {
        font = wanted;
    }
}

bool TextDrawer::load()
{
    if (tried) {
        return glyphs != nullptr;
    }
    tried = true;
    // Found once, at the first use: glyph pictures are an ability beside the
    // controller's own interface.
    auto* factory = dynamic_cast<Render::I_CreateGlyphAtlas*>(controller);
    // A controller without glyph pictures is no fault of the font: the
    // block font draws, and there is nothing to report.
    if (factory == nullptr) {
        return false;
    }
    const FontFinder::Found found = FontFinder::find(font.empty() ? DEFAULT_FONT : font);
    if (found.file.empty()) {
        reason = found.reason;
        return false;
    }
    auto opened = std::make_unique<FontFace>();
    if (!opened->open(found.file, found.index)) {
        reason = opened->failure();
        return false;
    }
    atlas.reset(factory->createGlyphAtlas(ATLAS_SIDE, ATLAS_SIDE));
    if (!atlas) {
        reason = "the render controller cannot hold a glyph picture";
        return false;
    }
    face = std::move(opened);
    glyphs = std::make_unique<GlyphCache>(*face, *atlas);
    return true;
}

int TextDrawer::width(const std::string& utf8, int pixelSize)
{
    if (!load()) {
        return static_cast<int>(
            std::ceil(Render::BlockFont::width(blockText(utf8)) * blockPixel(pixelSize)));
    }
    int pen = 0;
    for (const char32_t code : Utf8::decode(utf8)) {
        pen += glyphs->advance(code, pixelSize);
    }
    return pen;
}

int TextDrawer::ascent(int pixelSize)
{
    if (!load()) {
        return static_cast<int>(std::ceil(BLOCK_ASCENT * blockPixel(pixelSize)));
    }
    return face->metrics(pixelSize).ascent;
}

int TextDrawer::lineHeight(int pixelSize)
{
    if (!load()) {
        return pixelSize;
    }
    return face->metrics(pixelSize).lineHeight;
}

void TextDrawer::draw(const std::string& utf8, float left, float top, int pixelSize,
                      Util::RGBA const& color)
{
    if (!load()) {
        drawBlock(utf8, left, top, pixelSize, color);
        return;
    }
    const std::vector<char32_t> codes = Utf8::decode(utf8);
    const float baseline = std::round(top) - face->metrics(pixelSize).ascent;
    const unsigned long generation = glyphs->generation();
    buildQuads(codes, std::round(left), baseline, pixelSize);
    // A full picture was emptied on the way: the glyphs placed before it
    // moved, so the line is placed again, now in a picture with room.
    if (glyphs->generation() != generation) {
        buildQuads(codes, std::round(left), baseline, pixelSize);
    }
    atlas->draw(vertices.data(), static_cast<unsigned int>(vertices.size() / 4), color);
}

void TextDrawer::buildQuads(const std::vector<char32_t>& codes, float left, float baseline,
                            int pixelSize)
{
    vertices.clear();
    float pen = left;
    for (const char32_t code : codes) {
        const GlyphCache::Entry glyph = glyphs->get(code, pixelSize);
        if (glyph.width > 0) {
            const float x0 = pen + glyph.left;
            const float x1 = x0 + glyph.width;
            const float y0 = baseline + glyph.top;
            const float y1 = y0 - glyph.height;
            // Upper left, lower left, lower right, upper right, as the
            // block font's squares wind.
            const float quad[16] = {x0, y0, glyph.u0, glyph.v0, x0, y1, glyph.u0, glyph.v1,
                                    x1, y1, glyph.u1, glyph.v1, x1, y0, glyph.u1, glyph.v0};
            vertices.insert(vertices.end(), quad, quad + 16);
        }
        pen += glyph.advance;
    }
}

void TextDrawer::drawBlock(const std::string& utf8, float left, float top, int pixelSize,
                           Util::RGBA const& color)
{
    if (clientArrays == nullptr) {
        return;
    }
    const float pixel = blockPixel(pixelSize);
    vertices.clear();
    const int squares =
        Render::BlockFont::appendQuads(blockText(utf8), left, top - pixel, pixel, vertices);
    controller->setColor(color);
    clientArrays->drawClientArray(Render::RENDER_QUADS, vertices.data(),
                                  static_cast<unsigned int>(squares) * 4);
}

} // namespace Text
