// The sound mix as a listener hears it, recorded by OpenAL Soft's wave writer: every cue on
// its own at the volume the game gives it (its peak, and how much of its energy lies between
// 200 Hz and 4 kHz, where small speakers play), and a match a person at this window wins,
// with a countdown's ticks and its "go", the last crash and the win chime at once, peaking
// below -1 dBFS with nothing cut off.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "Game/GameManager.h"
#include "Sound/AL/OpenALController.h"
#include "SoundMix.h"
#include "Support/GlobalStateGuard.h"
#include "app/sound/MatchSounds.h"
#include "app/tools/HeadlessVektra.h"

namespace {

using Input = Game::HeadlessApp::Input;
using SoundMix::Clock;
using SoundMix::Mix;
using Tool::MatchSounds;

// -1 dBFS.
constexpr float MOST = 0.891f;

double secondsSince(Clock::time_point origin)
{
    return std::chrono::duration<double>(Clock::now() - origin).count();
}

double fileSeconds(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        return 0;
    }
    sf_close(file);
    return static_cast<double>(info.frames) / info.samplerate;
}

TEST(SoundMixTest, EveryCueOnItsOwnAtItsVolume)
{
    TestSupport::TempDir dir;
    const std::string mixPath = SoundMix::recordInto(dir);
    struct Heard {
        MatchSounds::Cue cue;
        double at;
        double length;
    };
    std::vector<Heard> heard;
    {
        Sound::OpenALController sound;
        ASSERT_TRUE(sound.init());
        const Clock::time_point origin = Clock::now();
        for (int cue = 0; cue < MatchSounds::CUES; ++cue) {
            const auto which = static_cast<MatchSounds::Cue>(cue);
            const std::string file =
                std::string(VEKTRA_BUILD_SOUND_DIR) + "/" + MatchSounds::fileName(which);
            ASSERT_TRUE(sound.addSource(0, false));
            ASSERT_TRUE(sound.load(cue, file)) << file;
            // The crash at the far right, where one channel takes it all.
            heard.push_back(Heard{which, secondsSince(origin), fileSeconds(file)});
            sound.play(0, cue, which == MatchSounds::CRASH ? 100 : 0, MatchSounds::volumeOf(which));
            for (int wait = 0; wait < 600 && sound.isPlaying(0); ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            // A stretch of silence before the next.
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
    }
    const Mix mix(mixPath);
    ASSERT_EQ(2, mix.channels);
    std::cout << "cue      peak dBFS  200 Hz-4 kHz\n";
    for (const Heard& cue : heard) {
        SCOPED_TRACE(MatchSounds::fileName(cue.cue));
        const double from = cue.at, to = cue.at + cue.length + 0.1;
        ASSERT_LT(to, mix.seconds());
        const float peak = mix.peak(from, to);
        const double share = mix.bandShare(from, to, 200, 4000);
        std::cout << std::left << std::setw(10) << MatchSounds::fileName(cue.cue) << std::right
                  << std::fixed << std::setprecision(1) << std::setw(6) << 20 * std::log10(peak)
                  << std::setw(10) << 100 * share << " %\n";
        EXPECT_GT(peak, 0.02f) << "heard";
        EXPECT_LE(peak, MOST / 2) << "room for a second loud cue";
        EXPECT_GE(share, 0.4) << "carries on small speakers";
        if (cue.cue == MatchSounds::CRASH) {
            const std::vector<double> crash = mix.mono(from, to);
            double mean = 0;
            for (const double sample : crash) {
                mean += sample / crash.size();
            }
            EXPECT_LT(std::fabs(mean), 0.001) << "no offset";
        }
    }
}

// Two people: player 1 steers nothing and outlives player 0, who turns up into the top wall
// after a countdown of two seconds, so a person at this window wins.
const char* const SETTINGS =
    "SCREEN_WIDTH == 240\nSCREEN_HEIGHT == 180\nFRAME_RATE == 60\nGAME_SPEED == 1.0\n"
    "GRID_WIDTH == 16\nGRID_HEIGHT == 12\nNUM_PLAYERS == 2\nHUMAN_PLAYERS == 2\n"
    "MOVE_TIME == 150\nTURN_CHANCE == 0\nGAME_SEED == 5\nFLASH_TIME == 100\n"
    "KEY_MOVE_UP == UP\nKEY_MOVE_DOWN == DOWN\nKEY_MOVE_LEFT == LEFT\nKEY_MOVE_RIGHT == RIGHT\n"
    "COUNTDOWN == 2\nSOUND == YES\n";

TEST(SoundMixTest, AMatchAPersonHereWinsPeaksBelowFullScale)
{
    TestSupport::GlobalStateGuard global;
    TestSupport::TempDir dir;
    const std::string mixPath = SoundMix::recordInto(dir);
    constexpr unsigned char SPACE = 32, ESC = 27, UP = 6;
    const std::vector<Input> script = {Input::keyDown(5, SPACE), Input::keyUp(12, SPACE),
                                       Input::keyDown(150, UP),  Input::keyUp(160, UP),
                                       Input::keyDown(290, ESC), Input::keyUp(300, ESC)};
    double start = -1, result = -1;
    {
        Tool::HeadlessVektra game(SoundMix::FRAME_SECONDS, script, 500,
                                  dir.write("vektra.cfg", SETTINGS));
        SoundMix::RealTimePacer pacer(*game.match, Clock::now());
        game.manager.addGameUpdated(&pacer);
        game.run();
        game.manager.removeGameUpdated(&pacer);
        start = pacer.startAt;
        result = pacer.resultAt;
    }
    ASSERT_EQ("WIN=1\n", global.printed());
    const Mix mix(mixPath);
    ASSERT_GT(start, 0);
    ASSERT_GT(result, start + 2);
    // The writer's clock and the pacer's side by side, by the first tick's onset.
    const double lag = mix.firstHeard(0.02f) - start;
    start += lag;
    result += lag;
    ASSERT_GT(mix.seconds(), result + 1);
    // A tick at each of the two seconds, then "go" when play begins: A5, and E6 over it.
    EXPECT_GT(mix.strongest(start - 0.05, start + 0.4, 880), 0.02);
    EXPECT_GT(mix.strongest(start + 0.95, start + 1.4, 880), 0.02);
    EXPECT_GT(mix.strongest(start + 1.95, start + 2.4, 1320), 0.02);
    // The win chime's high C, not the lose cue's low one, over the last crash.
    const double lowC = mix.toneStrength(result, result + 1, 262);
    const double highC = mix.toneStrength(result, result + 1, 1047);
    EXPECT_GT(highC, 5 * lowC) << "high C " << highC << ", low C " << lowC;
    const float peak = mix.peak(0, mix.seconds());
    EXPECT_LE(peak, MOST);
    EXPECT_EQ(0, mix.clipped());
    std::cout << "a won match's mix: peak " << 20 * std::log10(peak) << " dBFS, " << mix.clipped()
              << " clipped samples\n";
}

} // namespace
