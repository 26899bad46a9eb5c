#include "BoardView.h"

#include "Game/GameManager.h"
#include "PlayState.h"
#include "Render/I_ClientArrayDraw.h"
#include "Render/I_RenderController.h"
#include "Render/RenderHelper.h"
#include "Util/RGBA.h"

namespace Catch {

BoardView::BoardView(Game::GameManager* manager, const PlayState* state)
    : controller(manager->getRenderController()),
      // A controller that cannot draw from client arrays (the headless
      // one) gets nothing drawn.
      clientArrays(dynamic_cast<Render::I_ClientArrayDraw*>(controller)), state(state),
      screenWidth(0), screenHeight(0)
{
}

void BoardView::setScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
}

Game::ViewBox BoardView::getViewBox() const
{
    return Game::ViewBox{0, 0, screenWidth, screenHeight};
}

void BoardView::onRender()
{
    if (clientArrays == nullptr) {
        return;
    }
    GameHelper::RenderHelper(controller).set2D(screenWidth, screenHeight, false);
    controller->setColor(Util::RGBA(30, 30, 40, 255));
    drawCells(0, 0, state->getWidth(), state->getHeight());
    controller->setColor(Util::RGBA(255, 140, 0, 255));
    drawCells(state->getTarget().x, state->getTarget().y, 1, 1);
    controller->setColor(Util::RGBA(255, 255, 255, 255));
    drawCells(state->getCatcher().x, state->getCatcher().y, 1, 1);
}

void BoardView::drawCells(int x, int y, int cellsWide, int cellsHigh)
{
    const float cellWidth = static_cast<float>(screenWidth) / state->getWidth();
    const float cellHeight = static_cast<float>(screenHeight) / state->getHeight();
    // The 2D set-up has y upwards from the bottom of the window.
    const float left = cellWidth * x;
    const float right = cellWidth * (x + cellsWide);
    const float top = screenHeight - cellHeight * y;
    const float bottom = screenHeight - cellHeight * (y + cellsHigh);
    const float quad[12] = {left, top, 0, left, bottom, 0, right, bottom, 0, right, top, 0};
    clientArrays->drawClientArray(Render::RENDER_QUADS, quad, 4);
}

} // namespace Catch
