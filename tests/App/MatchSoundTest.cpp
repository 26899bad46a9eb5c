// A match played with sound on, mixed by OpenAL Soft's wave writer into a file: the cues are
// heard where their steps happened and nowhere else, the person who lost hears the lose cue,
// and the mix stays below full scale. The writer mixes in real time, so the
// headless game is paced to real time too.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "Game/GameManager.h"
#include "SoundMix.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"
#include "app/MainLogic.h"
#include "app/sound/SoundChoice.h"
#include "app/tools/HeadlessVektra.h"

namespace {

using Input = Game::HeadlessApp::Input;
using SoundMix::FRAME_SECONDS;
using SoundMix::Mix;
using SoundMix::RealTimePacer;
using Clock = SoundMix::Clock;

constexpr unsigned char SPACE = 32;
constexpr unsigned char ESC = 27;
constexpr unsigned char UP = 6; // key code of the name "UP"

// A 16 x 12 arena, two players, a step every 150 ms: player 0 starts at (4, 3) heading right,
// so turned up it hits the top wall three steps later; the computer player wins then.
const char* const SETTINGS = "SCREEN_WIDTH == 240\nSCREEN_HEIGHT == 180\nFRAME_RATE == 60\n"
                             "GAME_SPEED == 1.0\nGRID_WIDTH == 16\nGRID_HEIGHT == 12\n"
                             "NUM_PLAYERS == 2\nMOVE_TIME == 150\nTURN_CHANCE == 0\n"
                             "GAME_SEED == 5\nFLASH_TIME == 100\nKEY_MOVE_UP == UP\n"
                             "KEY_MOVE_DOWN == DOWN\nKEY_MOVE_LEFT == LEFT\n"
                             "KEY_MOVE_RIGHT == RIGHT\nSOUND == YES\n";

TEST(MatchSoundTest, CuesAreHeardAtTheirStepsAndSilenceElsewhere)
{
    TestSupport::GlobalStateGuard global;
    TestSupport::TempDir dir;
    const std::string mixPath = SoundMix::recordInto(dir);
    const std::string settings = dir.write("vektra.cfg", SETTINGS);
    // Space starts the match at frame 5; up is pressed 0.8 s later, well after the start cue;
    // Escape quits from the title screen 1 s after the crash at the latest.
    const std::vector<Input> script = {Input::keyDown(5, SPACE), Input::keyUp(12, SPACE),
                                       Input::keyDown(55, UP),   Input::keyUp(70, UP),
                                       Input::keyDown(200, ESC), Input::keyUp(210, ESC)};
    double start = -1, turn = -1, crash = -1, result = -1;
    {
        Tool::HeadlessVektra game(FRAME_SECONDS, script, 400, settings);
        // The wave writer started with the sound controller, a moment ago.
        RealTimePacer pacer(*game.match, Clock::now());
        game.manager.addGameUpdated(&pacer);
        game.run();
        game.manager.removeGameUpdated(&pacer);
        start = pacer.startAt;
        turn = pacer.turnAt;
        crash = pacer.crashAt;
        result = pacer.resultAt;
    }
    // The file is complete once the game has closed the sound device.
    ASSERT_EQ("WIN=1\n", global.printed());
    EXPECT_EQ("", global.errors());
    ASSERT_GT(start, 0);
    ASSERT_GT(turn, start + 0.5);
    ASSERT_GT(crash, turn + 0.3);
    const Mix mix(mixPath);
    ASSERT_EQ(2, mix.channels);
    // The writer's clock starts when the device opens, a moment before the pacer's (longer on
    // a busy machine): the start cue's onset in the mix sets the two clocks side by side.
    constexpr float QUIET = 0.001f, HEARD = 0.02f;
    const double lag = mix.firstHeard(HEARD) - start;
    for (double* noted : {&start, &turn, &crash, &result}) {
        *noted += lag;
    }
    ASSERT_GT(mix.seconds(), crash + 0.5);

    // Each cue starts within a frame and one mixing period of its step, and there is silence
    // before each: the start cue has died away before the turn, the turn before the crash.
    const double rows[][2] = {{0.0, start}, {start + 0.35, turn}, {turn + 0.1, crash}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row[1]);
        EXPECT_LT(mix.peak(row[0] + 0.02, row[1] - 0.06), QUIET);
        EXPECT_GT(mix.peak(row[1] - 0.06, row[1] + 0.15), HEARD);
    }
    double heard = crash - 0.06;
    while (heard < mix.seconds() && mix.peak(heard, heard + 0.005) <= HEARD) {
        heard += 0.005;
    }
    std::cout << "crash step to crash sound in the mix: " << (heard - crash) * 1000 << " ms\n";

    // The computer player won: the lose cue's low C, not the win chime's high one, follows
    // the result; and the whole mix stays below -1 dBFS (0.891), nothing cut off.
    ASSERT_GT(result, 0);
    const double lowC = mix.toneStrength(result, result + 1, 262);
    const double highC = mix.toneStrength(result, result + 1, 1047);
    EXPECT_GT(lowC, 5 * highC) << "low C " << lowC << ", high C " << highC;
    EXPECT_LE(mix.peak(0, mix.seconds()), 0.891f);
    EXPECT_EQ(0, mix.clipped());
    std::cout << "a lost match's mix: peak " << 20 * std::log10(mix.peak(0, mix.seconds()))
              << " dBFS, " << mix.clipped() << " clipped samples\n";
}

// SOUND_DIR follows the command line's rule: a relative folder means the
// folder the player started in, which a launcher passes on.
TEST(SoundFolderTest, ARelativeSoundDirMeansTheFolderThePlayerStartedIn)
{
    setenv("VEKTRA_START_DIR", "/start", 1);
    setenv("SOUND_DIR", "my-sounds", 1);
    EXPECT_EQ("/start/my-sounds", Tool::soundFolder());
    unsetenv("VEKTRA_START_DIR");
    unsetenv("SOUND_DIR");
}

} // namespace
