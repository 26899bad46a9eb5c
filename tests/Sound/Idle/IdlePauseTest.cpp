#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Sound/AL/OpenALController.h"
#include "Support/TempDir.h"
#include "Support/XServer.h"

namespace {

using Sound::OpenALController;
using TestSupport::waitUntil;

// On OpenAL Soft's null backend, which mixes in real time as a sound card's would: OpenAL
// reads its configuration once per process, so these tests have an executable of their own.
class IdlePauseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new TestSupport::TempDir();
        setenv("ALSOFT_CONF", dir->write("alsoft.conf", "drivers = null\n").c_str(), 1);
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }

    static TestSupport::TempDir* dir;
};

TestSupport::TempDir* IdlePauseTest::dir = nullptr;

constexpr double IDLE_SECONDS = 0.2;
constexpr int WAIT_MS = 10000;

// The device mixes nothing until the first sound, which it then plays to its end; it pauses
// again once nothing has played for the idle time, and the next sound plays again.
TEST_F(IdlePauseTest, PausedWhileSilentAndEverySoundPlaysToItsEnd)
{
    OpenALController sound(IDLE_SECONDS);
    ASSERT_TRUE(sound.init());
    ASSERT_TRUE(sound.pausesWhenIdle());
    EXPECT_TRUE(sound.devicePaused()) << "nothing has played yet";
    ASSERT_TRUE(sound.addSource(0, false));
    ASSERT_TRUE(sound.load(0, std::string(VEKTRA_BUILD_SOUND_DIR) + "/turn.wav"));
    for (int cue = 0; cue < 2; ++cue) {
        SCOPED_TRACE("cue " + std::to_string(cue));
        sound.play(0, 0, 0, 100);
        EXPECT_FALSE(sound.devicePaused());
        EXPECT_TRUE(sound.isPlaying(0));
        // A paused device would hold the sound at its start for ever.
        EXPECT_TRUE(waitUntil([&] { return !sound.isPlaying(0); }, WAIT_MS)) << "never ended";
        EXPECT_TRUE(waitUntil([&] { return sound.devicePaused(); }, WAIT_MS)) << "never paused";
    }
}

} // namespace
