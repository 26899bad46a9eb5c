// The arena view drawn as one picture ("ARENA_DRAWING" == "TEXTURE") gives
// the very pixels of the quads, on grids whose cell edges never fall on a
// pixel centre, with the markers on and off and after the match moved on.
#include <GL/glew.h>

#include <memory>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameManager.h"
#include "GameContextFixture.h"
#include "RecordingController.h"
#include "Render/OGL/Controller.h"
#include "app/MainLogic.h"
#include "app/MainView.h"

namespace {

using Bytes = std::vector<unsigned char>;

class ArenaPicture : public GameContextTest {
protected:
    // A view of the match in the given drawing mode, as the window shows it.
    std::unique_ptr<Tool::MainView> view(Tool::MainLogic& logic, const char* drawing)
    {
        CFG::getDefaultOverrides()->add("ARENA_DRAWING", drawing);
        auto made = std::make_unique<Tool::MainView>(&manager, &logic);
        made->setScreenSize(WIDTH, HEIGHT);
        return made;
    }
};

} // namespace

TEST_F(ArenaPicture, ShowsTheQuadsPixelForPixel)
{
    // 128 x 96 pixels: cells of 8 (edges on pixel borders) and of 3.2
    // pixels (edges at multiples of 3.2, never at a pixel centre n + 0.5).
    const struct {
        int columns;
        int rows;
    } grids[] = {{16, 12}, {40, 30}};
    for (const auto& grid : grids) {
        SCOPED_TRACE(std::to_string(grid.columns) + " x " + std::to_string(grid.rows));
        CFG::getDefaultOverrides()->reset();
        CFG::getDefaultOverrides()->add("GRID_WIDTH", std::to_string(grid.columns));
        CFG::getDefaultOverrides()->add("GRID_HEIGHT", std::to_string(grid.rows));
        CFG::getDefaultOverrides()->add("NUM_PLAYERS", "6");
        CFG::getDefaultOverrides()->add("GAME_SEED", "7");
        CFG::getDefaultOverrides()->add("TURN_CHANCE", "30");
        CFG::getDefaultOverrides()->add("FLASH_TIME", "100");
        Tool::MainLogic logic(&manager);
        logic.onEnter("", "");
        std::unique_ptr<Tool::MainView> quads = view(logic, "QUADS");
        std::unique_ptr<Tool::MainView> picture = view(logic, "TEXTURE");
        for (int frame = 0; frame < 12 && logic.getResult().empty(); ++frame) {
            SCOPED_TRACE(frame);
            quads->onRender();
            const Bytes expected = GLContextTest::windowPixels();
            ASSERT_GT(GLContextTest::differingPixels(expected, Bytes(expected.size(), 0)),
                      WIDTH * 2)
                << "the quads drew at least the wall ring";
            picture->onRender();
            ASSERT_TRUE(picture->drewPicture());
            EXPECT_EQ(GLContextTest::differingPixels(GLContextTest::windowPixels(), expected), 0);
            // Markers on every other frame, and a step every third.
            quads->onUpdate(1000);
            picture->onUpdate(1000);
            if (frame % 3 == 2) {
                logic.onUpdate(1e6f);
            }
        }
    }
}
