// A match played with sound on, mixed by OpenAL Soft's wave writer into a file: the cues are
// heard where their steps happened and nowhere else. The writer mixes in real time, so the
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
#include "Game/I_GameUpdated.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"
#include "app/MainLogic.h"
#include "app/sound/SoundChoice.h"
#include "app/tools/HeadlessVektra.h"

namespace {

using Clock = std::chrono::steady_clock;
using Input = Game::HeadlessApp::Input;

constexpr double FRAME_SECONDS = 0.016;
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

// Holds every frame to its real-time start and notes, in seconds since the sound started,
// when the step that turned and the step that crashed player 0 ran (the frame before the
// one that sees them).
class RealTimePacer : public Game::I_GameUpdated {
public:
    RealTimePacer(const Tool::MainLogic& match, Clock::time_point origin)
        : match(match), origin(origin)
    {
    }

    void onGameUpdated(const float&) override
    {
        std::this_thread::sleep_until(origin +
                                      std::chrono::duration<double>(frames * FRAME_SECONDS));
        const double now = std::chrono::duration<double>(Clock::now() - origin).count();
        if (match.inMatch() && startAt < 0) {
            startAt = previous;
        }
        if (match.getMatchesStarted() > 0 && match.getPlayer(0).heading == Tool::MainLogic::UP &&
            turnAt < 0) {
            turnAt = previous;
        }
        if (match.getMatchesStarted() > 0 && !match.getPlayer(0).alive && crashAt < 0) {
            crashAt = previous;
        }
        previous = now;
        ++frames;
    }

    const Tool::MainLogic& match;
    Clock::time_point origin;
    int frames = 0;
    double previous = 0;
    double startAt = -1;
    double turnAt = -1;
    double crashAt = -1;
};

// The mixed file, both channels interleaved.
struct Mix {
    std::vector<float> samples;
    int channels = 0;
    int rate = 0;

    explicit Mix(const std::string& path)
    {
        SF_INFO info{};
        if (SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info)) {
            channels = info.channels;
            rate = info.samplerate;
            samples.resize(static_cast<std::size_t>(info.frames) * channels);
            sf_readf_float(file, samples.data(), info.frames);
            sf_close(file);
        }
    }

    double seconds() const { return rate > 0 ? double(samples.size()) / channels / rate : 0; }

    // The loudest sample in [from, to) seconds.
    float peak(double from, double to) const
    {
        const auto first = static_cast<std::size_t>(std::max(0.0, from) * rate) * channels;
        const auto last = std::min(samples.size(), static_cast<std::size_t>(to * rate) * channels);
        float loudest = 0;
        for (std::size_t i = first; i < last; ++i) {
            loudest = std::max(loudest, std::fabs(samples[i]));
        }
        return loudest;
    }
};

TEST(MatchSoundTest, CuesAreHeardAtTheirStepsAndSilenceElsewhere)
{
    TestSupport::GlobalStateGuard global;
    TestSupport::TempDir dir;
    const std::string mixPath = dir.path("mix.wav");
    const std::string conf =
        dir.write("alsoft.conf", "drivers = wave\n[wave]\nfile = " + mixPath + "\n");
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    setenv("SOUND_DIR", VEKTRA_BUILD_SOUND_DIR, 1);
    const std::string settings = dir.write("vektra.cfg", SETTINGS);
    // Space starts the match at frame 5; up is pressed 0.8 s later, well after the start cue;
    // Escape quits from the title screen 1 s after the crash at the latest.
    const std::vector<Input> script = {Input::keyDown(5, SPACE), Input::keyUp(12, SPACE),
                                       Input::keyDown(55, UP),   Input::keyUp(70, UP),
                                       Input::keyDown(200, ESC), Input::keyUp(210, ESC)};
    double start = -1, turn = -1, crash = -1;
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
    }
    // The file is complete once the game has closed the sound device.
    ASSERT_EQ("WIN=1\n", global.printed());
    EXPECT_EQ("", global.errors());
    ASSERT_GT(start, 0);
    ASSERT_GT(turn, start + 0.5);
    ASSERT_GT(crash, turn + 0.3);
    const Mix mix(mixPath);
    ASSERT_EQ(2, mix.channels);
    ASSERT_GT(mix.seconds(), crash + 0.5);

    // Each cue starts within a frame and one mixing period of its step, and there is silence
    // before each: the start cue has died away before the turn, the turn before the crash.
    constexpr float QUIET = 0.001f, HEARD = 0.02f;
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
