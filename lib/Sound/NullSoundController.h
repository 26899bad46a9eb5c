#pragma once

#include <string>

#include "Sound/I_SoundController.h"

namespace Sound {

// The sound controller that does nothing: every request succeeds and nothing ever plays.
// Used where the game needs a sound controller but makes no sound. Owns nothing.
class NullSoundController : public I_SoundController {
public:
    ~NullSoundController() override;

    bool init() override;
    bool addSource(int source, bool looping) override;
    bool load(int sound, const std::string& fileName) override;
    void play(int source, int sound, int channel, int volume) override;
    void pause(int source) override;
    void resume(int source) override;
    void stop(int source) override;
    bool isPlaying(int source) override;
    void setVolume(int source, int volume) override;
    void shutdown() override;
};

} // namespace Sound
