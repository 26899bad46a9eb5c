#include "ScreenPainter.h"

#include <ostream>

#include "CFG/CFG.h"
#include "Files/UserPath.h"
#include "Render/I_ClientArrayDraw.h"
#include "Render/I_RenderController.h"
#include "Render/RenderHelper.h"
#include "Util/Debug.h"

namespace Tool {

namespace {

// Said once a run, however many views try.
void warnOnce(const std::string& reason)
{
    static bool warned = false;
    if (warned) {
        return;
    }
    warned = true;
    *Util::Debug::instance().err << "vektra: TEXT_FONT: " << reason
                                 << "; the words are drawn in the block font" << std::endl;
}

} // namespace

ScreenPainter::ScreenPainter(Render::I_RenderController* renderController)
    : renderController(renderController),
      clientArrays(dynamic_cast<Render::I_ClientArrayDraw*>(renderController)),
      text(renderController), loaded(false)
{
    // A file follows the command line's rule for paths: from the folder the
    // player started in, or from the home folder with "~/".
    std::string font = CFG::get("TEXT_FONT");
    if (font.find('/') != std::string::npos) {
        font = Files::UserPath::resolve(font, Files::UserPath::startFolder());
    }
    text.setFont(font);
}

Text::I_TextMetrics& ScreenPainter::metrics()
{
    if (!loaded) {
        loaded = true;
        if (!text.load() && !text.failure().empty()) {
            warnOnce(text.failure());
        }
    }
    return text;
}

void ScreenPainter::fill(const ScreenLayout::Box& box, Util::RGBA color, int height)
{
    const float x0 = static_cast<float>(box.left);
    const float x1 = static_cast<float>(box.right());
    const float y0 = static_cast<float>(height - box.top);
    const float y1 = static_cast<float>(height - box.bottom());
    // Upper left, lower left, lower right, upper right, as every quad of
    // the game winds.
    const float quad[12] = {x0, y0, 0, x0, y1, 0, x1, y1, 0, x1, y0, 0};
    renderController->setColor(color);
    clientArrays->drawClientArray(Render::RENDER_QUADS, quad, 4);
}

void ScreenPainter::draw(const ScreenLayout::Result& placed, int width, int height)
{
    if (clientArrays == nullptr) {
        return;
    }
    metrics();
    GameHelper::RenderHelper(renderController).set2D(width, height, false);
    if (placed.band.height > 0) {
        fill(placed.band, ScreenLayout::BAND, height);
    }
    if (placed.panel.width > 0) {
        fill(placed.panel, ScreenLayout::PANEL, height);
    }
    for (const ScreenLayout::Placed& line : placed.texts) {
        text.draw(line.text, static_cast<float>(line.box.left),
                  static_cast<float>(height - line.box.top), line.pixelSize, line.color);
    }
}

} // namespace Tool
