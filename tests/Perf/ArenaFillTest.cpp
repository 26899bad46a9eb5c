// The arena view's quads, float for float: whatever the fill loop does to be
// quick, every blocked cell must come out exactly as the documented formula
// computes it in float arithmetic (cw = width / columns, cx = cw * x + cw / 2,
// cy = height - (ch * y + ch / 2), corners cx -+ cw / 2, cy -+ ch / 2), in
// column order, and the player markers likewise.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "Game/GameManager.h"
#include "Render/Headless/HeadlessRenderController.h"
#include "Render/ViewData.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"
#include "app/MainLogic.h"
#include "app/MainView.h"

using TestSupport::TempDir;

namespace {

// The twelve floats of the quad of cell (x, y), straight from the formula.
std::vector<float> expectedQuad(int x, int y, int columns, int rows, int width, int height)
{
    const float cw = static_cast<float>(width) / columns;
    const float ch = static_cast<float>(height) / rows;
    const float cx = cw * x + cw / 2;
    const float cy = height - (ch * y + ch / 2);
    const float hw = cw / 2;
    const float hh = ch / 2;
    return {cx - hw, cy + hh, 0, cx - hw, cy - hh, 0, cx + hw, cy - hh, 0, cx + hw, cy + hh, 0};
}

class ArenaFillTest : public ::testing::Test {
protected:
    void settings(int columns, int rows)
    {
        ASSERT_TRUE(
            CFG::setConfig(dir.write("vektra.cfg", "GRID_WIDTH == " + std::to_string(columns) +
                                                       "\nGRID_HEIGHT == " + std::to_string(rows) +
                                                       "\nNUM_PLAYERS == 3\n"
                                                       "GAME_SEED == 99\nMOVE_TIME == 10\n"
                                                       "FLASH_TIME == 100\n")));
    }

    TestSupport::GlobalStateGuard global;
    TempDir dir;
    Game::HeadlessRenderController render{Render::ViewData()};
};

TEST_F(ArenaFillTest, EveryBlockedCellIsTheFormulasQuadInColumnOrder)
{
    struct Case {
        int columns, rows, width, height, every;
    };
    // every: one cell in about that many blocked besides the wall ring and
    // the start cells; the large sparse grids leave whole runs of free
    // cells, as played grids do.
    const Case cases[] = {{4, 4, 400, 300, 3},         {7, 5, 333, 97, 3},
                          {64, 48, 800, 600, 3},       {80, 60, 801, 599, 3},
                          {13, 11, 1, 1, 3},           {256, 192, 1280, 1024, 3},
                          {256, 192, 1280, 1024, 101}, {130, 70, 800, 600, 211}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.columns) + "x" + std::to_string(c.rows) + " cells in " +
                     std::to_string(c.width) + "x" + std::to_string(c.height) + ", 1 in " +
                     std::to_string(c.every));
        settings(c.columns, c.rows);
        Game::GameManager manager(0, 0, 0, 0);
        manager.setRenderController(&render);
        Tool::MainLogic logic(&manager);
        logic.onEnter("", "");
        // A pattern of blocked cells that no two columns share: more than the
        // wall ring and the start cells, through the match's own grid.
        unsigned char* grid = const_cast<unsigned char*>(logic.getGrid());
        for (int i = 0; i < c.columns * c.rows; ++i) {
            grid[i] = (i * 7 + i / c.columns) % c.every == 0 ? Tool::MainLogic::BLOCKED : grid[i];
        }
        Tool::MainView view(&manager, &logic);
        view.setScreenSize(c.width, c.height);

        std::vector<float> expected;
        for (int x = 0; x < c.columns; ++x) {
            for (int y = 0; y < c.rows; ++y) {
                if (grid[y * c.columns + x] != 0) {
                    const std::vector<float> q =
                        expectedQuad(x, y, c.columns, c.rows, c.width, c.height);
                    expected.insert(expected.end(), q.begin(), q.end());
                }
            }
        }
        const int quads = view.fillTrailQuads();
        ASSERT_EQ(expected.size(), static_cast<std::size_t>(quads) * 12);
        EXPECT_EQ(expected,
                  std::vector<float>(view.getVertices(), view.getVertices() + quads * 12));

        std::vector<float> markers;
        for (int k = 0; k < logic.getPlayerCount(); ++k) {
            const std::vector<float> q = expectedQuad(logic.getPlayer(k).x, logic.getPlayer(k).y,
                                                      c.columns, c.rows, c.width, c.height);
            markers.insert(markers.end(), q.begin(), q.end());
        }
        const int players = view.fillPlayerQuads();
        ASSERT_EQ(3, players);
        EXPECT_EQ(markers,
                  std::vector<float>(view.getVertices(), view.getVertices() + players * 12));
    }
}

} // namespace
