#include "MainView.h"

#include <algorithm>

#include "CFG/CFG.h"
#include "Game/GameManager.h"
#include "MainLogic.h"
#include "Render/I_ClientArrayDraw.h"
#include "Render/I_RenderController.h"
#include "Render/RenderHelper.h"
#include "Util/RGBA.h"
#include "app/views/ArenaTexture.h"
#include "app/views/ScreenLayout.h"
#include "app/views/TextColors.h"

namespace Tool {

namespace {

float flashTime()
{
    // Read at every blink: the key text is made and the
    // process-wide parser found once.
    static const std::string KEY = "FLASH_TIME";
    static const CFG::InfoParser* const PARSER = CFG::parser();
    return PARSER->getNumber<float>(KEY);
}

} // namespace

MainView::MainView(Game::GameManager* gameManager, MainLogic* logic)
    : MainView(gameManager, logic->getMatch(), logic->getScoreboard())
{
}

MainView::MainView(Game::GameManager* gameManager, const Match& match, const Scoreboard& score)
    : gameManager(gameManager), renderController(gameManager->getRenderController()),
      clientArrays(dynamic_cast<Render::I_ClientArrayDraw*>(renderController)), screenWidth(0),
      screenHeight(0), match(match), score(score),
      vertices(match.getGridWidth(), match.getGridHeight()),
      keepAspect(CFG::parser()->getBool("KEEP_ASPECT")), textureWanted(ArenaTexture::wanted()),
      textureTried(false), flashTimer(flashTime()), flashOn(false)
{
}

MainView::~MainView() {}

void MainView::setPause(bool) {}

void MainView::preUpdate(float) {}

void MainView::setScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
    bandHeight = std::min(height, ScreenLayout::bandHeight(width, height, bandLabels));
    vertices.setScreenSize(width, height - bandHeight, keepAspect);
}

void MainView::setBand(int labels)
{
    bandLabels = labels;
    setScreenSize(screenWidth, screenHeight);
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
    // A paused match holds the blink too.
    if (score.paused) {
        return;
    }
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
    return vertices.fillBlocked(match.getGrid());
}

int MainView::fillPlayerQuads()
{
    // The match refuses more players than free cells, so they always fit
    // into the buffer sized for the whole grid.
    const int count = match.getPlayerCount();
    for (int k = 0; k < count; ++k) {
        putQuad(k, match.getPlayer(k).x, match.getPlayer(k).y);
    }
    return count;
}

int MainView::fillOwnedQuads()
{
    const std::vector<int>& owners = match.getOwners();
    const int width = match.getGridWidth();
    const int height = match.getGridHeight();
    // Counted first, then placed: one pass each, no sorting.
    groupStart.assign(static_cast<std::size_t>(match.getPlayerCount()) + 2, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (match.cell(x, y) != Match::FREE) {
                ++groupStart[owners[static_cast<std::size_t>(y) * width + x] + 1];
            }
        }
    }
    for (std::size_t o = 1; o < groupStart.size(); ++o) {
        groupStart[o] += groupStart[o - 1];
    }
    groupNext.assign(groupStart.begin(), groupStart.end() - 1);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (match.cell(x, y) != Match::FREE) {
                putQuad(groupNext[owners[static_cast<std::size_t>(y) * width + x]]++, x, y);
            }
        }
    }
    return groupStart.back();
}

void MainView::drawOwnedTrails()
{
    fillOwnedQuads();
    const std::vector<Util::RGBA>& colors = match.getSetup().colors;
    for (std::size_t o = 0; o + 1 < groupStart.size(); ++o) {
        const int count = groupStart[o + 1] - groupStart[o];
        if (count == 0) {
            continue;
        }
        renderController->setColor(o == 0 ? Util::RGBA(255, 255, 255, 255) : colors[o - 1]);
        drawQuads(count, groupStart[o]);
    }
}

int MainView::fillStartRings()
{
    constexpr int RADIUS = 2;
    constexpr int CELLS_PER_RING = 8 * RADIUS;
    const int count = match.getPlayerCount();
    if (static_cast<long>(count) * CELLS_PER_RING >
        static_cast<long>(match.getGridWidth()) * match.getGridHeight()) {
        return 0;
    }
    int index = 0;
    for (int k = 0; k < count; ++k) {
        const PlayerHead& head = match.getPlayer(k);
        for (int dy = -RADIUS; dy <= RADIUS; ++dy) {
            for (int dx = -RADIUS; dx <= RADIUS; ++dx) {
                if (dx == -RADIUS || dx == RADIUS || dy == -RADIUS || dy == RADIUS) {
                    putQuad(index++, head.x + dx, head.y + dy);
                }
            }
        }
    }
    return CELLS_PER_RING;
}

void MainView::drawStartRings()
{
    const int perPlayer = fillStartRings();
    const std::vector<Util::RGBA>& colors = match.getSetup().colors;
    for (int k = 0; perPlayer > 0 && k < match.getPlayerCount(); ++k) {
        renderController->setColor(colors.empty() ? Util::RGBA(255, 255, 255, 255)
                                                  : colors[static_cast<std::size_t>(k)]);
        drawQuads(perPlayer, k * perPlayer);
    }
}

int MainView::fillSeatFrames()
{
    // A frame's edges run through the cells around the head, so the head
    // and its neighbours stay in sight inside it.
    constexpr float REACH = 1.5f;
    constexpr int QUADS_PER_FRAME = 4;
    const long cells = static_cast<long>(match.getGridWidth()) * match.getGridHeight();
    int count = 0;
    for (const int seat : markedSeats) {
        if (seat >= 0 && seat < match.getPlayerCount() && count + QUADS_PER_FRAME <= cells) {
            count +=
                vertices.putFrame(count, match.getPlayer(seat).x, match.getPlayer(seat).y, REACH);
        }
    }
    return count;
}

void MainView::drawSeatFrames()
{
    const int quads = fillSeatFrames();
    const std::vector<Util::RGBA>& colors = match.getSetup().colors;
    int index = 0;
    for (const int seat : markedSeats) {
        if (index >= quads) {
            break;
        }
        // The person's colour made to stand out from the black arena.
        const Util::RGBA color = static_cast<std::size_t>(seat) < colors.size()
                                     ? colors[static_cast<std::size_t>(seat)]
                                     : Util::RGBA(255, 255, 255, 255);
        renderController->setColor(TextColors::readableOn(color, Util::RGBA(0, 0, 0, 255)));
        drawQuads(4, index);
        index += 4;
    }
}

void MainView::drawQuads(int count, int first)
{
    if (clientArrays != nullptr) {
        clientArrays->drawClientArray(Render::RENDER_QUADS,
                                      vertices.data() +
                                          static_cast<std::size_t>(first) * FLOATS_PER_QUAD,
                                      static_cast<unsigned int>(count) * 4);
    }
}

void MainView::onRender()
{
    if (score.result == "LEAVE") {
        return;
    }
    renderController->setColor(Util::RGBA(255, 255, 255, 255));
    renderController->doClear(Util::RGBA(0, 0, 0, 0));
    GameHelper::RenderHelper(renderController).set2D(screenWidth, screenHeight, false);

    if (textureWanted && !textureTried) {
        textureTried = true;
        texture = ArenaTexture::create(renderController, &match);
    }
    // The picture holds no owners: coloured trails are always squares.
    const bool coloured = !match.getOwners().empty();
    if (texture && !coloured) {
        texture->draw(flashOn, screenWidth, screenHeight - bandHeight);
    } else {
        drawCells(coloured);
    }
    if (!markedSeats.empty()) {
        drawSeatFrames();
    }
}

void MainView::drawCells(bool coloured)
{
    if (coloured) {
        drawOwnedTrails();
    } else {
        drawQuads(fillTrailQuads());
    }
    if (score.pace.countdownLeft() > 0) {
        drawStartRings();
    }
    if (flashOn) {
        const int markers = fillPlayerQuads();
        renderController->setColor(Util::RGBA(0, 0, 0, 0));
        drawQuads(markers);
    }
}

} // namespace Tool
