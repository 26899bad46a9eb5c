#include "TextLines.h"

#include <algorithm>

#include "Render/BlockFont.h"
#include "Render/I_ClientArrayDraw.h"
#include "Render/I_RenderController.h"
#include "Render/RenderHelper.h"

namespace Tool {

namespace {

// The share of the window's width a line may take.
constexpr float MOST_WIDTH = 0.9f;
// The box behind a line: dark and translucent, one font pixel wider than
// the text on every side.
const Util::RGBA BACKING(0, 0, 0, 0xA0);

} // namespace

TextLines::TextLines(Render::I_RenderController* renderController, bool backing)
    : renderController(renderController),
      clientArrays(dynamic_cast<Render::I_ClientArrayDraw*>(renderController)), backing(backing)
{
}

void TextLines::setScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
}

void TextLines::add(const std::string& text, float centreX, float top, float pixelSize,
                    Util::RGBA color)
{
    const float left = centreX - Render::BlockFont::width(text) * pixelSize / 2;
    lines.push_back(Line{text, left, top, pixelSize, color});
}

void TextLines::addCentred(const std::string& text, float top, float largest, Util::RGBA color,
                           bool backed)
{
    const int width = Render::BlockFont::width(text);
    const float fit = width > 0 ? screenWidth * MOST_WIDTH / width : largest;
    add(text, screenWidth / 2.0f, top, std::min(largest, fit), color);
    lines.back().backed = backed;
}

void TextLines::draw()
{
    // A controller that cannot draw from client arrays shows no words.
    if (clientArrays == nullptr) {
        return;
    }
    GameHelper::RenderHelper(renderController).set2D(screenWidth, screenHeight, false);
    renderController->setBlending(true);
    for (const Line& line : lines) {
        if (backing || line.backed) {
            drawBacking(line);
        }
        vertices.clear();
        const int squares = Render::BlockFont::appendQuads(line.text, line.left, line.top,
                                                           line.pixelSize, vertices);
        renderController->setColor(line.color);
        clientArrays->drawClientArray(Render::RENDER_QUADS, vertices.data(),
                                      static_cast<unsigned int>(squares) * 4);
    }
    // The arena draws its black heads with alpha 0: blending must be off.
    renderController->setBlending(false);
}

void TextLines::drawBacking(const Line& line)
{
    const float pad = line.pixelSize;
    const float x0 = line.left - pad;
    const float x1 = line.left + Render::BlockFont::width(line.text) * line.pixelSize + pad;
    const float y0 = line.top + pad;
    const float y1 = line.top - Render::BlockFont::GLYPH_HEIGHT * line.pixelSize - pad;
    // The glyphs' winding: upper left, lower left, lower right, upper right.
    const float box[12] = {x0, y0, 0, x0, y1, 0, x1, y1, 0, x1, y0, 0};
    renderController->setColor(BACKING);
    clientArrays->drawClientArray(Render::RENDER_QUADS, box, 4);
}

} // namespace Tool
