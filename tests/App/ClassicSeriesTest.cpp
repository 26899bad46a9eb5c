// The classic computer player, level 0, played through the game's own
// assembly: a seeded series of matches must end exactly as it always has,
// whether the level settings are absent or 0.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/SettingsLoader.h"
#include "Devices/Devices.h"
#include "Game/GameAssembly.h"
#include "Game/GameManager.h"
#include "Game/Headless/HeadlessPlatform.h"
#include "Game/I_GameUpdated.h"
#include "Game/LogicController.h"
#include "Support/TempDir.h"
#include "Util/Debug.h"
#include "app/MainLogic.h"
#include "app/VektraGame.h"

namespace {

using TestSupport::TempDir;

// Notes each match's result and a hash of its final grid, once per match.
class SeriesProbe : public Game::I_GameUpdated {
public:
    explicit SeriesProbe(Tool::MainLogic* match) : match(match) {}

    void onGameUpdated(const float&) override
    {
        if (match->getResult().empty()) {
            noted = false;
            return;
        }
        if (noted) {
            return;
        }
        noted = true;
        std::uint32_t hash = 2166136261u;
        const int cells = match->getGridWidth() * match->getGridHeight();
        for (int i = 0; i < cells; ++i) {
            hash = (hash ^ match->getGrid()[i]) * 16777619u;
        }
        std::ostringstream line;
        line << match->getResult() << ' ' << std::hex << hash;
        matches.push_back(line.str());
    }

    Tool::MainLogic* match;
    bool noted = false;
    std::vector<std::string> matches;
};

// Plays the series: a 30 x 20 arena, four players (player 0 at the keyboard,
// where nobody steers it), random turns at 20 %, a step every frame and the
// space bar held, so each match starts as the last one ends.
std::vector<std::string> playSeries(const std::string& levelSettings)
{
    TempDir dir;
    const std::string settings = dir.write("vektra.cfg", "SCREEN_WIDTH == 240\n"
                                                         "SCREEN_HEIGHT == 180\n"
                                                         "GAME_SPEED == 1.0\n"
                                                         "GRID_WIDTH == 30\n"
                                                         "GRID_HEIGHT == 20\n"
                                                         "NUM_PLAYERS == 4\n"
                                                         "MOVE_TIME == 10\n"
                                                         "TURN_CHANCE == 20\n"
                                                         "GAME_SEED == 4242\n"
                                                         "KEY_MOVE_UP == UP\n"
                                                         "KEY_MOVE_DOWN == DOWN\n"
                                                         "KEY_MOVE_LEFT == LEFT\n"
                                                         "KEY_MOVE_RIGHT == RIGHT\n" +
                                                             levelSettings);
    CFG::getDefaultOverrides()->reset();
    Util::Debug& debug = Util::Debug::instance();
    std::ostringstream printed;
    std::ostream* const savedOut = debug.out;
    debug.out = &printed;

    Game::HeadlessPlatform platform(0.016, {Game::HeadlessApp::Input::keyDown(0, 32)}, 1500);
    platform.setRenderEvents(false);
    std::vector<std::string> matches;
    {
        Game::GameAssembly game;
        EXPECT_EQ(CFG::SettingsLoader::GO_ON, Tool::buildVektra(game, platform, {}, settings));
        auto* match = Tool::matchState(*game.getLogic());
        SeriesProbe probe(match);
        game.getManager()->addGameUpdated(&probe);
        game.run();
        game.getManager()->removeGameUpdated(&probe);
        matches = probe.matches;
    }
    debug.out = savedOut;
    delete Devices::getKeyboard();
    Devices::setKeyboard(nullptr);
    CFG::getDefaultOverrides()->reset();
    return matches;
}

TEST(ClassicSeriesTest, LevelZeroPlaysTheSeriesItAlwaysPlayed)
{
    // Recorded from the game before computer-player levels existed.
    const std::vector<std::string> expected = {
        "WIN=1 f0fc05be", "WIN=2 34dda755", "WIN=2 a412b407", "WIN=2 163f7855", "WIN=2 a0c840c7",
        "WIN=1 43110050", "WIN=2 4350a7e1", "WIN=1 6ffab76",  "WIN=1 bce484e8", "WIN=2 83bf7421",
        "WIN=2 2239ca7c", "WIN=2 c04f6c92", "WIN=1 bb33bd7e", "WIN=3 fbada477", "DRAW 6c51fff4",
        "WIN=1 887e31fe", "WIN=2 523cec9c", "WIN=1 8bb62fbe", "WIN=1 1b7d4380", "WIN=2 c75274b9",
        "WIN=3 6e770cf3", "WIN=1 ac765ae7", "WIN=1 cc7abb8a", "WIN=1 b5243b29", "WIN=2 75e1953a",
        "WIN=3 2454128e", "WIN=3 b6312a1f", "WIN=2 700e220b", "WIN=2 d5ddcf65", "WIN=2 300b50b8",
        "WIN=1 e3874420"};
    for (const char* levels : {"", "AI_LEVEL == 0\n", "AI_LEVEL == 0\nAI_LEVEL_P2 == 0\n",
                               "AI_LEVEL_P3 == 0\nAI_LEVEL_P1 == 3\n"}) {
        SCOPED_TRACE(std::string("settings: ") + levels);
        EXPECT_EQ(expected, playSeries(levels));
    }
}

} // namespace
