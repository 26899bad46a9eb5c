#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Sound/I_SoundController.h"

struct ALCdevice_struct;
struct ALCcontext_struct;

namespace Sound {

class IdlePause;

// The sound controller on OpenAL Soft: a few voices ("sources") that each play one loaded
// sound at a time, mixed by OpenAL on its own thread, so playing never waits for the device.
// Sound files are read with libsndfile. Owns the OpenAL device, context, sources and buffers.
//
// The integer parameters of the sound interface mean:
// - source: a voice, 0 to MAX_SOURCES - 1, made by addSource(source, looping); a looping
//   source repeats its sound until stopped. Adding a source again stops it and sets its
//   looping anew.
// - sound: a loaded sound, 0 to MAX_SOUNDS - 1, filled by load(sound, file); loading again
//   replaces it (a source playing the old one is stopped first).
// - channel: where in the stereo field play() puts a mono sound, -100 (left) to 100
//   (right), 0 in the middle; stereo sounds keep their own channels.
// - volume: 0 (silent) to 100 (as recorded). play() and setVolume(source, v) set a source's
//   volume; setVolume(ALL_SOURCES, v) sets the volume everything is heard at.
// Values out of their range are clamped (volume, channel) or ignored (source, sound: the
// call does nothing, load and addSource return false, isPlaying false). Before a successful
// init() and after shutdown() every call does nothing and returns false.
//
// The device is paused while nothing plays (IdlePause): until the first sound, and from
// idleSeconds after the last one; the next sound resumes it.
class OpenALController : public I_SoundController {
public:
    static constexpr int MAX_SOURCES = 16;
    static constexpr int MAX_SOUNDS = 64;
    static constexpr int ALL_SOURCES = -1;
    // Longest sound file accepted; longer ones are not sound effects.
    static constexpr double MAX_SECONDS = 30.0;
    static constexpr double IDLE_SECONDS = 2.0;

    explicit OpenALController(double idleSeconds = IDLE_SECONDS);
    ~OpenALController() override;
    OpenALController(const OpenALController&) = delete;
    OpenALController& operator=(const OpenALController&) = delete;

    // Opens the default output device (OpenAL Soft's configuration chooses it) with the
    // libraries' own console messages switched off. False when there is no device or OpenAL
    // fails to start; the controller then stays silent.
    bool init() override;
    bool addSource(int source, bool looping) override;
    // False, with the sound left empty, for a file that is missing, not audio, truncated, of
    // more than two channels or longer than MAX_SECONDS. Prints nothing.
    bool load(int sound, const std::string& fileName) override;
    void play(int source, int sound, int channel, int volume) override;
    void pause(int source) override;
    void resume(int source) override;
    void stop(int source) override;
    bool isPlaying(int source) override;
    void setVolume(int source, int volume) override;
    void shutdown() override;

    // Whether the device is paused while idle at all (not under the wave-writer backend, nor
    // without OpenAL Soft's pause extension), and whether it is now.
    bool pausesWhenIdle() const;
    bool devicePaused() const;

private:
    bool usableSource(int source) const;
    void stopUsers(unsigned int buffer);

    ALCdevice_struct* device;
    ALCcontext_struct* context;
    // OpenAL names; 0 where nothing was made.
    std::vector<unsigned int> sources;
    std::vector<unsigned int> buffers;
    double idleSeconds;
    std::unique_ptr<IdlePause> idle;
};

} // namespace Sound
