// The arena view's drawing in a whole game run headless: every drawn frame
// raises the render event, and the view's quads reach the headless render
// controller through its client-array drawing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/SettingsLoader.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameAssembly.h"
#include "Game/GameManager.h"
#include "Game/Headless/HeadlessPlatform.h"
#include "Game/LogicController.h"
#include "Render/Headless/HeadlessRenderController.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"
#include "app/MainLogic.h"
#include "app/VektraGame.h"

namespace {

using Input = Game::HeadlessApp::Input;

// A 12 x 9 arena on a 240 x 180 window: 20 x 20 pixel cells. The heads never
// blink within the run, so a frame draws the trails only.
const char* const SETTINGS = "SCREEN_WIDTH == 240\n"
                             "SCREEN_HEIGHT == 180\n"
                             "FRAME_RATE == 60\n"
                             "FRAME_SKIP == 5\n"
                             "GAME_SPEED == 1.0\n"
                             "GRID_WIDTH == 12\n"
                             "GRID_HEIGHT == 9\n"
                             "NUM_PLAYERS == 2\n"
                             "MOVE_TIME == 10\n"
                             "TURN_CHANCE == 0\n"
                             "GAME_SEED == 5\n"
                             "FLASH_TIME == 100000\n";

// The headless platform, its render controller keeping the draws.
class DrawKeepingPlatform : public Game::HeadlessPlatform {
public:
    using HeadlessPlatform::HeadlessPlatform;

    Render::I_RenderController* createRenderController(const Render::ViewData& view) override
    {
        controller = new Game::HeadlessRenderController(view);
        controller->keepClientDraws(true);
        return controller;
    }

    Game::HeadlessRenderController* controller = nullptr;
};

class ArenaDrawTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
    }

    // Space on the title screen, then a few frames of the match.
    void play(Game::GameAssembly& game, DrawKeepingPlatform& platform)
    {
        const std::string settings = dir.write("vektra.cfg", SETTINGS);
        ASSERT_EQ(CFG::SettingsLoader::GO_ON, Tool::buildVektra(game, platform, {}, settings));
        game.run();
        auto* logic = static_cast<Game::LogicController*>(game.getLogic());
        match = Tool::matchState(*logic);
        ASSERT_NE(nullptr, match);
        ASSERT_NE(nullptr, match->getView()) << "the match must still be on screen";
    }

    TestSupport::GlobalStateGuard global;
    TestSupport::TempDir dir;
    Tool::MainLogic* match = nullptr;
};

const std::vector<Input> SCRIPT = {Input::keyDown(0, 32), Input::keyUp(2, 32)};

TEST_F(ArenaDrawTest, TheLastFrameDrawsOneQuadPerBlockedCellInColumnOrder)
{
    DrawKeepingPlatform platform(0.016, SCRIPT, 6);
    Game::GameAssembly game;
    play(game, platform);
    ASSERT_NE(nullptr, platform.controller);

    int blocked = 0;
    for (int i = 0; i < match->getGridWidth() * match->getGridHeight(); ++i) {
        blocked += match->getGrid()[i] != Tool::MainLogic::FREE ? 1 : 0;
    }
    EXPECT_GT(blocked, 38) << "the wall ring and the trails";

    const auto& draws = platform.controller->getClientDraws();
    ASSERT_EQ(1u, draws.size());
    EXPECT_EQ(Render::RENDER_QUADS, draws[0].kind);
    const std::vector<float>& xyz = draws[0].xyz;
    ASSERT_EQ(static_cast<std::size_t>(blocked) * 4 * 3, xyz.size());
    // The wall cells at the corners open and close the column order:
    // (0, 0) at the top left, (11, 8) at the bottom right.
    const std::vector<float> topLeft = {0, 180, 0, 0, 160, 0, 20, 160, 0, 20, 180, 0};
    const std::vector<float> bottomRight = {220, 20, 0, 220, 0, 0, 240, 0, 0, 240, 20, 0};
    EXPECT_EQ(topLeft, std::vector<float>(xyz.begin(), xyz.begin() + 12));
    EXPECT_EQ(bottomRight, std::vector<float>(xyz.end() - 12, xyz.end()));
}

TEST_F(ArenaDrawTest, WithoutTheRenderEventNothingIsDrawn)
{
    DrawKeepingPlatform platform(0.016, SCRIPT, 6);
    platform.setRenderEvents(false);
    Game::GameAssembly game;
    play(game, platform);
    ASSERT_NE(nullptr, platform.controller);
    EXPECT_TRUE(platform.controller->getClientDraws().empty());
}

} // namespace
