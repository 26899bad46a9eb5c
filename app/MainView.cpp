#include "MainView.h"

#include "ArenaTexture.h"
#include "CFG/CFG.h"
#include "Game/GameManager.h"
#include "MainLogic.h"
#include "Render/I_ClientArrayDraw.h"
#include "Render/I_RenderController.h"
#include "Render/RenderHelper.h"
#include "Util/RGBA.h"

namespace Tool {

namespace {

float flashTime()
{
    return CFG::parser()->getNumber<float>("FLASH_TIME");
}

} // namespace

MainView::MainView(Game::GameManager* gameManager, MainLogic* logic)
    : gameManager(gameManager), renderController(gameManager->getRenderController()),
      clientArrays(dynamic_cast<Render::I_ClientArrayDraw*>(renderController)), screenWidth(0),
      screenHeight(0), logic(logic), vertices(logic->getGridWidth(), logic->getGridHeight()),
      textureWanted(ArenaTexture::wanted()), textureTried(false), flashTimer(flashTime()),
      flashOn(false)
{
}

MainView::~MainView() {}

void MainView::setPause(bool) {}

void MainView::preUpdate(float) {}

void MainView::setScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
    vertices.setScreenSize(width, height);
}

Game::ViewBox MainView::getViewBox() const
{
    return Game::ViewBox{0, 0, screenWidth, screenHeight};
}

EVT::I_Event* MainView::onInput(EVT::I_Event* event)
{
    return event;
}

void MainView::onUpdate(float elapsed)
{
    flashTimer -= elapsed;
    if (flashTimer < 0) {
        flashOn = !flashOn;
        // Read again at every change, so a changed setting takes effect at
        // the next blink; the overshoot is dropped.
        flashTimer = flashTime();
    }
}

void MainView::putQuad(int index, int x, int y)
{
    vertices.put(index, x, y);
}

int MainView::fillTrailQuads()
{
    return vertices.fillBlocked(logic->getGrid());
}

int MainView::fillPlayerQuads()
{
    // The match refuses more players than free cells, so they always fit
    // into the buffer sized for the whole grid.
    const int count = logic->getPlayerCount();
    for (int k = 0; k < count; ++k) {
        putQuad(k, logic->getPlayer(k).x, logic->getPlayer(k).y);
    }
    return count;
}

void MainView::drawQuads(int count)
{
    if (clientArrays != nullptr) {
        clientArrays->drawClientArray(Render::RENDER_QUADS, vertices.data(),
                                      static_cast<unsigned int>(count) * 4);
    }
}

void MainView::onRender()
{
    renderController->setColor(Util::RGBA(255, 255, 255, 255));
    renderController->doClear(Util::RGBA(0, 0, 0, 0));
    GameHelper::RenderHelper(renderController).set2D(screenWidth, screenHeight, false);

    if (textureWanted && !textureTried) {
        textureTried = true;
        texture = ArenaTexture::create(renderController, logic);
    }
    if (texture) {
        texture->draw(flashOn, screenWidth, screenHeight);
        return;
    }
    drawQuads(fillTrailQuads());
    if (flashOn) {
        const int markers = fillPlayerQuads();
        renderController->setColor(Util::RGBA(0, 0, 0, 0));
        drawQuads(markers);
    }
}

} // namespace Tool
