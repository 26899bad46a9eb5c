// Party mode's drawing in a whole game run headless: the trails in their
// owners' colours and the words on screen reach the render controller as
// client-array quads, each after the colour it is drawn in.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/SettingsLoader.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameAssembly.h"
#include "Game/Headless/HeadlessPlatform.h"
#include "Game/LogicController.h"
#include "Render/Headless/HeadlessRenderController.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"
#include "app/MainLogic.h"
#include "app/VektraGame.h"

namespace {

using Input = Game::HeadlessApp::Input;

// A 12 x 9 arena, two people in red and green, words on; the heads never
// blink within the run.
const char* const SETTINGS = "SCREEN_WIDTH == 240\nSCREEN_HEIGHT == 180\nFRAME_RATE == 60\n"
                             "GAME_SPEED == 1.0\nGRID_WIDTH == 12\nGRID_HEIGHT == 9\n"
                             "NUM_PLAYERS == 2\nMOVE_TIME == 10\nGAME_SEED == 5\n"
                             "FLASH_TIME == 100000\nHUMAN_PLAYERS == 2\nSHOW_TEXT == YES\n"
                             "PLAYER_COLORS == 0xFF0000FF, 0x00FF00FF\n";

// A headless controller that notes each client-array draw with the colour
// set before it, from the last clear on.
class ColourNotingController : public Game::HeadlessRenderController {
public:
    struct Draw {
        Util::RGBA color;
        unsigned int quads;
    };
    using HeadlessRenderController::HeadlessRenderController;

    void doClear(Util::RGBA const& clear) override
    {
        draws.clear();
        HeadlessRenderController::doClear(clear);
    }
    void setColor(Util::RGBA const& next) override
    {
        color = next;
        HeadlessRenderController::setColor(next);
    }
    void drawClientArray(Render::RenderType kind, const float* xyz, unsigned int count) override
    {
        draws.push_back(Draw{color, count / 4});
        HeadlessRenderController::drawClientArray(kind, xyz, count);
    }

    Util::RGBA color;
    std::vector<Draw> draws;
};

class ColourNotingPlatform : public Game::HeadlessPlatform {
public:
    using HeadlessPlatform::HeadlessPlatform;
    Render::I_RenderController* createRenderController(const Render::ViewData& view) override
    {
        controller = new ColourNotingController(view);
        return controller;
    }
    ColourNotingController* controller = nullptr;
};

TEST(PartyDrawTest, TrailsInTheirOwnersColoursThenTheWinsInThePlayersColours)
{
    TestSupport::GlobalStateGuard global;
    TestSupport::TempDir dir;
    ColourNotingPlatform platform(0.016, {Input::keyDown(0, 32), Input::keyUp(2, 32)}, 8);
    Game::GameAssembly game;
    ASSERT_EQ(CFG::SettingsLoader::GO_ON,
              Tool::buildVektra(game, platform, {}, dir.write("vektra.cfg", SETTINGS)));
    game.run();
    auto* logic = static_cast<Game::LogicController*>(game.getLogic());
    auto* match = Tool::matchState(*logic);
    ASSERT_NE(nullptr, match);
    ASSERT_TRUE(match->inMatch());

    unsigned int owned[2] = {0, 0};
    for (int owner : match->getOwners()) {
        owned[0] += owner == 1 ? 1 : 0;
        owned[1] += owner == 2 ? 1 : 0;
    }
    const Util::RGBA white(255, 255, 255, 255), red(255, 0, 0, 255), green(0, 255, 0, 255);
    const auto& draws = platform.controller->draws;
    ASSERT_EQ(6u, draws.size()) << "walls, two trails, two people's frames, the words' band";
    EXPECT_EQ(white, draws[0].color);
    EXPECT_EQ(38u, draws[0].quads) << "the wall ring of a 12 x 9 arena";
    EXPECT_EQ(red, draws[1].color);
    EXPECT_EQ(owned[0], draws[1].quads);
    EXPECT_EQ(green, draws[2].color);
    EXPECT_EQ(owned[1], draws[2].quads);
    EXPECT_GE(owned[0], 2u) << "a start cell and at least one step";
    // Each person's head framed, in their colour made to stand out on black.
    for (int k = 0; k < 2; ++k) {
        const ColourNotingController::Draw& frame = draws[3 + k];
        EXPECT_EQ(4u, frame.quads);
        EXPECT_EQ(k == 0, frame.color.r > frame.color.g) << "red for player 1, green for 2";
        EXPECT_EQ(255, frame.color.a);
    }
    // The band above the arena: one opaque box, the words drawn on it
    // through the glyph picture.
    EXPECT_EQ(1u, draws[5].quads);
    EXPECT_EQ(255, draws[5].color.a);

    // Start-up installs a keyboard for the rest of the process.
    delete Devices::getKeyboard();
    Devices::setKeyboard(nullptr);
}

} // namespace
