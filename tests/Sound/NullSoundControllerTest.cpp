#include <gtest/gtest.h>

#include <memory>

#include "Sound/NullSoundController.h"

// Through the interface, as the game manager holds it: every request succeeds, nothing plays,
// whatever was asked before.
TEST(NullSoundController, AcceptsEverythingAndNeverPlays)
{
    std::unique_ptr<Sound::I_SoundController> sound(new Sound::NullSoundController());
    EXPECT_TRUE(sound->init());
    EXPECT_TRUE(sound->addSource(0, true));
    EXPECT_TRUE(sound->addSource(-1, false));
    EXPECT_TRUE(sound->load(3, "missing-file.wav"));
    EXPECT_TRUE(sound->load(0, ""));
    sound->play(0, 3, 1, 100);
    EXPECT_FALSE(sound->isPlaying(0));
    sound->pause(0);
    sound->resume(0);
    sound->setVolume(0, 50);
    EXPECT_FALSE(sound->isPlaying(0));
    sound->stop(0);
    sound->shutdown();
    EXPECT_FALSE(sound->isPlaying(12345));
}
