#include "ArenaTexture.h"

#include "CFG/CFG.h"
#include "Render/I_CellGrid.h"
#include "Render/I_CreateCellGrid.h"
#include "Render/I_RenderController.h"
#include "app/match/Match.h"

namespace Tool {

bool ArenaTexture::wanted()
{
    return CFG::get("ARENA_DRAWING") == "TEXTURE" && CFG::get("PLAYER_COLORS").empty();
}

std::unique_ptr<ArenaTexture> ArenaTexture::create(Render::I_RenderController* controller,
                                                   const Match* match)
{
    auto* factory = dynamic_cast<Render::I_CreateCellGrid*>(controller);
    if (factory == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Render::I_CellGrid> picture(
        factory->createCellGrid(match->getGridWidth(), match->getGridHeight()));
    if (!picture) {
        return nullptr;
    }
    return std::make_unique<ArenaTexture>(std::move(picture), match);
}

ArenaTexture::ArenaTexture(std::unique_ptr<Render::I_CellGrid> picture, const Match* match)
    : picture(std::move(picture)), match(match)
{
    marked.reserve(static_cast<std::size_t>(match->getPlayerCount()));
}

ArenaTexture::~ArenaTexture() {}

void ArenaTexture::draw(bool markersOn, int width, int height)
{
    marked.clear();
    if (markersOn) {
        // Every player, those that are out included, as the quads do.
        const int columns = match->getGridWidth();
        const int rows = match->getGridHeight();
        for (int k = 0; k < match->getPlayerCount(); ++k) {
            const PlayerHead& player = match->getPlayer(k);
            if (player.x >= 0 && player.x < columns && player.y >= 0 && player.y < rows) {
                marked.push_back(player.y * columns + player.x);
            }
        }
    }
    picture->update(match->getGrid(), marked.data(), static_cast<int>(marked.size()));
    picture->draw(static_cast<float>(width), static_cast<float>(height));
}

} // namespace Tool
