#include "TitleView.h"

#include "Game/GameManager.h"
#include "Render/I_RenderController.h"
#include "Render/RenderHelper.h"
#include "Util/RGBA.h"

namespace Catch {

TitleView::TitleView(Game::GameManager* manager)
    : controller(manager->getRenderController()), text(controller), screenWidth(0), screenHeight(0)
{
    // The face is found and opened at the first line drawn: a game that
    // never shows its title never opens a font.
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
    GameHelper::RenderHelper(controller).set2D(screenWidth, screenHeight, false);
    drawLine("CATCH", screenHeight * 0.7f, screenHeight / 5, Util::RGBA(255, 140, 0, 255));
    // "\xC2\xB7" is the middle dot, in UTF-8 as every line the drawer takes.
    drawLine("SPACE START \xC2\xB7 ESC QUIT", screenHeight * 0.4f, screenHeight / 16,
             Util::RGBA(255, 255, 255, 255));
}

void TitleView::drawLine(const std::string& line, float top, int pixelSize, Util::RGBA color)
{
    const float left = (screenWidth - text.width(line, pixelSize)) / 2.0f;
    text.draw(line, left, top, pixelSize, color);
}

} // namespace Catch
