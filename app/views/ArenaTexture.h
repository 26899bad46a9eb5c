#pragma once

#include <memory>
#include <vector>

namespace Render {
class I_CellGrid;
class I_RenderController;
} // namespace Render

namespace Tool {

class Match;

// The arena drawn as one picture of one byte per cell (Render::I_CellGrid)
// instead of a quad per blocked cell: the mode for large arenas, chosen by
// "ARENA_DRAWING" == "TEXTURE". The blinking player markers go into the
// picture as black cells. Owns the picture and the marker list; the match
// is not owned.
class ArenaTexture {
public:
    // Whether the settings ask for the picture: "ARENA_DRAWING" is exactly
    // "TEXTURE" and no player colours are set ("PLAYER_COLORS" absent or
    // empty): coloured trails are drawn as quads, which carry the colours.
    static bool wanted();

    // A picture for the match's grid when the render controller can make
    // one (it offers Render::I_CreateCellGrid and the grid fits); null
    // otherwise, and the view draws quads.
    static std::unique_ptr<ArenaTexture> create(Render::I_RenderController* controller,
                                                const Match* match);

    ArenaTexture(std::unique_ptr<Render::I_CellGrid> picture, const Match* match);
    ~ArenaTexture();
    ArenaTexture(const ArenaTexture&) = delete;
    ArenaTexture& operator=(const ArenaTexture&) = delete;

    // Brings the picture up to date with the grid, with the player markers
    // when markersOn, and draws it over the width x height view box.
    void draw(bool markersOn, int width, int height);

private:
    std::unique_ptr<Render::I_CellGrid> picture;
    const Match* match;
    std::vector<int> marked;
};

} // namespace Tool
