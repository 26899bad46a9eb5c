#include "TitleView.h"

#include "Game/GameManager.h"
#include "Render/BlockFont.h"
#include "Render/I_ClientArrayDraw.h"
#include "Render/I_RenderController.h"
#include "Render/RenderHelper.h"
#include "Util/RGBA.h"

namespace Catch {

TitleView::TitleView(Game::GameManager* manager)
    : controller(manager->getRenderController()),
      // The headless controller draws nothing: no words either.
      clientArrays(dynamic_cast<Render::I_ClientArrayDraw*>(controller)), screenWidth(0),
      screenHeight(0), vertices()
{
}

void TitleView::setScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
}

Game::ViewBox TitleView::getViewBox() const
{
    return Game::ViewBox{0, 0, screenWidth, screenHeight};
}

void TitleView::onRender()
{
    if (clientArrays == nullptr) {
        return;
    }
    GameHelper::RenderHelper(controller).set2D(screenWidth, screenHeight, false);
    controller->setColor(Util::RGBA(255, 140, 0, 255));
    drawLine("CATCH", screenHeight * 0.7f, screenHeight / 40.0f);
    controller->setColor(Util::RGBA(255, 255, 255, 255));
    // "\xC2\xB7" is the middle dot, which the font has.
    drawLine("SPACE START \xC2\xB7 ESC QUIT", screenHeight * 0.4f, screenHeight / 120.0f);
}

void TitleView::drawLine(const std::string& text, float top, float pixelSize)
{
    const float left = (screenWidth - Render::BlockFont::width(text) * pixelSize) / 2;
    vertices.clear();
    const int squares = Render::BlockFont::appendQuads(text, left, top, pixelSize, vertices);
    clientArrays->drawClientArray(Render::RENDER_QUADS, vertices.data(),
                                  static_cast<unsigned int>(squares) * 4);
}

} // namespace Catch
