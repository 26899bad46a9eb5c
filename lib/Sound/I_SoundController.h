#pragma once

#include <string>

namespace Sound {

// The sound interface the game manager carries for game code: sources, sounds loaded into
// them, playback and volume. The meaning of the integer parameters is the implementation's.
class I_SoundController {
public:
    virtual ~I_SoundController() {}

    virtual bool init() = 0;
    virtual bool addSource(int source, bool looping) = 0;
    virtual bool load(int sound, const std::string& fileName) = 0;
    virtual void play(int source, int sound, int channel, int volume) = 0;
    virtual void pause(int source) = 0;
    virtual void resume(int source) = 0;
    virtual void stop(int source) = 0;
    virtual bool isPlaying(int source) = 0;
    virtual void setVolume(int source, int volume) = 0;
    virtual void shutdown() = 0;
};

} // namespace Sound
