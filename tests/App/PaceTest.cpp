// The pace of a match beyond its step timer, each part off without its
// setting: a countdown before the first step ("COUNTDOWN") that keeps the
// presses made during it, and fast-forward once no person is left
// ("FAST_FORWARD"); then the shipped profiles, each played headless to a
// result.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CFG/SettingsLoader.h"
#include "Game/GameAssembly.h"
#include "Game/Headless/HeadlessPlatform.h"
#include "Game/LogicController.h"
#include "GameFixture.h"
#include "app/MainLogic.h"
#include "app/VektraGame.h"
#include "app/replay/Replay.h"
#include "app/replay/ReplayPlayback.h"
#include "app/tools/HeadlessVektra.h"

namespace {

using Input = Game::HeadlessApp::Input;
using Tool::MainLogic;

constexpr unsigned char SPACE = 32;

class PaceTest : public GameFixture {};

// Player 0's place after the first step of the one match recorded in
// folder, played back from the file.
Tool::PlayerHead firstStepPlayedBack(const std::string& folder)
{
    std::string file;
    if (DIR* entries = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(entries)) {
            file = entry->d_name[0] == '.' ? file : folder + "/" + entry->d_name;
        }
        closedir(entries);
    }
    Tool::Replay replay;
    std::string error;
    EXPECT_TRUE(Tool::Replay::load(file, replay, error)) << file << ": " << error;
    Tool::Match match(replay.header.setup);
    Tool::ReplayPlayback playback(replay);
    playback.start(match);
    EXPECT_TRUE(playback.step(match));
    return match.getPlayer(0);
}

// Player 0 starts at (4, 3) heading right; one press during a countdown of
// 50 ms turns it at the first step, in either steering rule, and no step is
// played before the countdown is over.
TEST_F(PaceTest, TheCountdownHoldsTheArenaAndKeepsItsPresses)
{
    for (const char* rule : {"TURN_BUFFER == NO\n", "TURN_BUFFER == YES\n"}) {
        SCOPED_TRACE(rule);
        const std::string records =
            dir.path(std::string(rule).find("YES") != std::string::npos ? "buffered" : "held");
        ASSERT_EQ(0, ::mkdir(records.c_str(), 0700));
        settings(std::string("COUNTDOWN == 0.05\nRECORD_DIR == ") + records + "\n" + rule);
        {
            MainLogic logic(manager.get());
            logic.onEnter("TITLE", "START");
            EXPECT_FLOAT_EQ(50, logic.getCountdown());
            key(CODE_UP, true);
            key(CODE_UP, false);
            for (int frame = 0; frame < 5; ++frame) {
                logic.onUpdate(11);
            }
            EXPECT_EQ(0ul, logic.getStepCount()) << "55 ms of countdown, no step";
            EXPECT_EQ(0, logic.getCountdown());
            logic.onUpdate(11);
            ASSERT_EQ(1ul, logic.getStepCount());
            EXPECT_EQ(4, logic.getPlayer(0).x);
            EXPECT_EQ(2, logic.getPlayer(0).y)
                << "the press made during the countdown turned it up";
        }
        // The recording holds that press as the first step's input.
        EXPECT_EQ(2, firstStepPlayedBack(records).y);
    }
    // Without it the first update after a step interval steps at once.
    settings("");
    MainLogic classic(manager.get());
    classic.onEnter("TITLE", "START");
    EXPECT_EQ(0, classic.getCountdown());
    classic.onUpdate(11);
    EXPECT_EQ(1ul, classic.getStepCount());
}

// A headless game of one person who never steers (and so runs into the
// right wall early) and three computer players on a 40 x 30 arena, a step
// every 16 ms frame.
const char* const FAST_SETTINGS =
    "SCREEN_WIDTH == 400\nSCREEN_HEIGHT == 300\nFRAME_RATE == 60\nGAME_SPEED == 1.0\n"
    "GRID_WIDTH == 40\nGRID_HEIGHT == 30\nNUM_PLAYERS == 4\nMOVE_TIME == 10\n"
    "TURN_CHANCE == 10\nGAME_SEED == 4242\nFLASH_TIME == 100\nAI_LEVEL == 1\n"
    "KEY_MOVE_UP == UP\nKEY_MOVE_DOWN == DOWN\nKEY_MOVE_LEFT == LEFT\n"
    "KEY_MOVE_RIGHT == RIGHT\n";

struct Played {
    std::string printed;
    unsigned long steps = 0;
};

Played play(const std::string& extra, std::vector<Input> script, int frames)
{
    TestSupport::GlobalStateGuard global;
    TestSupport::TempDir dir;
    const std::string file = dir.write("vektra.cfg", std::string(FAST_SETTINGS) + extra);
    Tool::HeadlessVektra game(0.016, std::move(script), frames, file);
    game.run();
    return Played{global.printed(), game.match->getStepCount()};
}

TEST(FastForward, SameStepsAndResultSooner)
{
    const std::vector<Input> start = {Input::keyDown(3, SPACE), Input::keyUp(6, SPACE)};
    const Played normal = play("", start, 3000);
    ASSERT_FALSE(normal.printed.empty());
    ASSERT_GT(normal.steps, 100ul) << "the computer players outlast the person by far";
    const int half = 4 + static_cast<int>(normal.steps) / 2;
    EXPECT_EQ("", play("", start, half).printed) << "normal speed: not over at half time";

    const Played fast = play("FAST_FORWARD == YES\n", start, half);
    EXPECT_EQ(normal.printed, fast.printed);
    EXPECT_EQ(normal.steps, fast.steps);

    // SPACE once the person is out (step 40 at the latest) skips to the end.
    std::vector<Input> skip = start;
    skip.push_back(Input::keyDown(50, SPACE));
    skip.push_back(Input::keyUp(56, SPACE));
    const Played skipped = play("FAST_FORWARD == YES\n", skip, 52);
    EXPECT_EQ(normal.printed, skipped.printed);
    EXPECT_EQ(normal.steps, skipped.steps);
    EXPECT_EQ(normal.printed, play("FAST_FORWARD == YES\n", skip, 400).printed)
        << "the skip's SPACE, still held on the title screen, starts no match";
}

// The shipped profiles start and play a match to its result headless, as
// the program would with the profile named on its command line.
TEST(Profiles, EachPlaysAMatchToItsResult)
{
    // play.cfg plays with sound: mixed into a file, as no audio device is at hand.
    TestSupport::TempDir mix;
    const std::string conf =
        mix.write("alsoft.conf", "drivers = wave\n[wave]\nfile = " + mix.path("mix.wav") + "\n");
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    setenv("SOUND_DIR", VEKTRA_BUILD_SOUND_DIR, 1);
    for (const char* profile : {"", "party.cfg", "play.cfg"}) {
        SCOPED_TRACE(profile);
        TestSupport::GlobalStateGuard global;
        TestSupport::TempDir dir;
        for (const char* name : {"vektra.cfg", "party.cfg", "play.cfg"}) {
            std::ifstream shipped(std::string(VEKTRA_SOURCE_DIR) + "/" + name);
            std::stringstream text;
            text << shipped.rdbuf();
            dir.write(name, text.str());
        }
        std::vector<std::string> args;
        if (*profile != '\0') {
            args.push_back(dir.dir() + "/" + profile);
        }
        // Nobody steers: every person runs into a wall; play.cfg's
        // countdown takes 3 s (190 frames).
        Game::HeadlessPlatform platform(0.016, {Input::keyDown(3, SPACE), Input::keyUp(6, SPACE)},
                                        6000);
        platform.setRenderEvents(true);
        Game::GameAssembly game;
        ASSERT_EQ(CFG::SettingsLoader::GO_ON,
                  Tool::buildVektra(game, platform, args, dir.dir() + "/vektra.cfg"));
        game.run();
        const std::string out = global.printed();
        EXPECT_TRUE(out.rfind("WIN=", 0) == 0 || out.rfind("DRAW", 0) == 0) << out;
        EXPECT_EQ("", global.errors());
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
    }
}

} // namespace
