#include "ArenaTexture.h"

#include "CFG/CFG.h"
#include "app/MainLogic.h"
#include "Render/I_CellGrid.h"
#include "Render/I_CreateCellGrid.h"
#include "Render/I_RenderController.h"

namespace Tool {

bool ArenaTexture::wanted()
{
    return CFG::get("ARENA_DRAWING") == "TEXTURE" && CFG::get("PLAYER_COLORS").empty();
}

std::unique_ptr<ArenaTexture> ArenaTexture::create(Render::I_RenderController* controller,
                                                   const MainLogic* logic)
{
    auto* factory = dynamic_cast<Render::I_CreateCellGrid*>(controller);
    if (factory == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Render::I_CellGrid> picture(
        factory->createCellGrid(logic->getGridWidth(), logic->getGridHeight()));
    if (!picture) {
        return nullptr;
    }
    return std::make_unique<ArenaTexture>(std::move(picture), logic);
}

ArenaTexture::ArenaTexture(std::unique_ptr<Render::I_CellGrid> picture, const MainLogic* logic)
    : picture(std::move(picture)), logic(logic)
{
    marked.reserve(static_cast<std::size_t>(logic->getPlayerCount()));
}

ArenaTexture::~ArenaTexture() {}

void ArenaTexture::draw(bool markersOn, int width, int height)
{
    marked.clear();
    if (markersOn) {
        // Every player, those that are out included, as the quads do.
        const int columns = logic->getGridWidth();
        const int rows = logic->getGridHeight();
        for (int k = 0; k < logic->getPlayerCount(); ++k) {
            const MainLogic::Player& player = logic->getPlayer(k);
            if (player.x >= 0 && player.x < columns && player.y >= 0 && player.y < rows) {
                marked.push_back(player.y * columns + player.x);
            }
        }
    }
    picture->update(logic->getGrid(), marked.data(), static_cast<int>(marked.size()));
    picture->draw(static_cast<float>(width), static_cast<float>(height));
}

} // namespace Tool
