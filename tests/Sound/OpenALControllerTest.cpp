#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Sound/AL/OpenALController.h"
#include "Support/TempDir.h"

namespace {

using Sound::OpenALController;

// OpenAL Soft reads its configuration once per process: every test here mixes into a wave
// file through its wave-writer backend, so they run without an audio device.
class OpenALControllerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new TestSupport::TempDir();
        const std::string conf = dir->write(
            "alsoft.conf", "drivers = wave\n[wave]\nfile = " + dir->path("mix.wav") + "\n");
        setenv("ALSOFT_CONF", conf.c_str(), 1);
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }

    // A sound file written with libsndfile: frames of a 440 Hz-ish square wave.
    static std::string writeSound(const std::string& name, int channels, int rate, long frames,
                                  int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16)
    {
        const std::string path = dir->path(name);
        SF_INFO info{};
        info.channels = channels;
        info.samplerate = rate;
        info.format = format;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        EXPECT_NE(nullptr, file) << sf_strerror(nullptr);
        std::vector<short> samples(static_cast<std::size_t>(frames) * channels);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] = (i / 50) % 2 == 0 ? 8000 : -8000;
        }
        sf_writef_short(file, samples.data(), frames);
        sf_close(file);
        return path;
    }

    static std::string bytesOf(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static TestSupport::TempDir* dir;
};

TestSupport::TempDir* OpenALControllerTest::dir = nullptr;

TEST_F(OpenALControllerTest, LoadsSoundFilesAndRefusesWhatIsNotOne)
{
    const std::string good = writeSound("good.wav", 1, 22050, 2205);
    const std::string wav = bytesOf(good);
    struct Row {
        const char* what;
        std::string path;
        bool loads;
    };
    const std::vector<Row> rows = {
        {"mono wave", good, true},
        {"stereo wave", writeSound("stereo.wav", 2, 44100, 4410), true},
        {"FLAC", writeSound("good.flac", 1, 44100, 4410, SF_FORMAT_FLAC | SF_FORMAT_PCM_16), true},
        {"missing", dir->path("nothing-here.wav"), false},
        {"empty", dir->write("empty.wav", ""), false},
        {"text", dir->write("text.wav", "MOVE_TIME == 10\nthis is no sound\n"), false},
        {"truncated", dir->write("cut.wav", wav.substr(0, wav.size() / 2)), false},
        {"header only", dir->write("header.wav", wav.substr(0, 44)), false},
        {"three channels", writeSound("three.wav", 3, 44100, 441), false},
        {"too long", writeSound("long.wav", 1, 8000, 8000 * 31), false},
        {"folder", dir->dir(), false},
    };
    OpenALController sound;
    ASSERT_TRUE(sound.init());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        EXPECT_EQ(row.loads, sound.load(3, row.path));
        EXPECT_EQ("", testing::internal::GetCapturedStdout());
        EXPECT_EQ("", testing::internal::GetCapturedStderr());
    }
}

TEST_F(OpenALControllerTest, NumbersOutsideTheirRangesDoNothing)
{
    const std::string good = writeSound("range.wav", 1, 22050, 22050);
    OpenALController sound;
    // Before init everything is refused.
    EXPECT_FALSE(sound.addSource(0, false));
    EXPECT_FALSE(sound.load(0, good));
    sound.play(0, 0, 0, 100);
    EXPECT_FALSE(sound.isPlaying(0));

    ASSERT_TRUE(sound.init());
    for (int source : {-2, OpenALController::MAX_SOURCES}) {
        SCOPED_TRACE(source);
        EXPECT_FALSE(sound.addSource(source, false));
        sound.play(source, 0, 0, 100);
        sound.pause(source);
        sound.resume(source);
        sound.stop(source);
        sound.setVolume(source, 50);
        EXPECT_FALSE(sound.isPlaying(source));
    }
    for (int number : {-1, OpenALController::MAX_SOUNDS}) {
        SCOPED_TRACE(number);
        EXPECT_FALSE(sound.load(number, good));
    }
    ASSERT_TRUE(sound.addSource(1, false));
    // A source not added, a sound not loaded: nothing plays.
    sound.play(2, 0, 0, 100);
    sound.play(1, 5, 0, 100);
    EXPECT_FALSE(sound.isPlaying(2));
    EXPECT_FALSE(sound.isPlaying(1));
    sound.shutdown();
    EXPECT_FALSE(sound.isPlaying(1));
}

TEST_F(OpenALControllerTest, PlaysPausesResumesAndStops)
{
    // One second of sound: long enough to be still playing at every check.
    OpenALController sound;
    ASSERT_TRUE(sound.init());
    ASSERT_TRUE(sound.load(0, writeSound("second.wav", 1, 22050, 22050)));
    ASSERT_TRUE(sound.addSource(0, false));
    // Channel and volume out of range are clamped, not refused.
    sound.play(0, 0, -500, 150);
    EXPECT_TRUE(sound.isPlaying(0));
    sound.pause(0);
    EXPECT_FALSE(sound.isPlaying(0));
    sound.resume(0);
    EXPECT_TRUE(sound.isPlaying(0));
    sound.stop(0);
    EXPECT_FALSE(sound.isPlaying(0));
    // Resuming a stopped source does not start it again.
    sound.resume(0);
    EXPECT_FALSE(sound.isPlaying(0));
    // Loading over a sound in use stops the source that plays it.
    sound.play(0, 0, 0, 100);
    ASSERT_TRUE(sound.load(0, writeSound("other.wav", 1, 22050, 100)));
    EXPECT_FALSE(sound.isPlaying(0));
}

// The wave writer's file keeps the mix's time, so the tests can hear when a sound played: its
// device is never paused, however long nothing plays.
TEST_F(OpenALControllerTest, TheWaveWriterIsNeverPaused)
{
    OpenALController sound(0.0);
    ASSERT_TRUE(sound.init());
    EXPECT_FALSE(sound.pausesWhenIdle());
    EXPECT_FALSE(sound.devicePaused());
}

} // namespace
