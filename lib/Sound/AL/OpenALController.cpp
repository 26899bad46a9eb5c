#include "Sound/AL/OpenALController.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>

#include "Sound/AL/IdlePause.h"
#include "Sound/AL/QuietAudioLibraries.h"
#include "Sound/AL/SoundFile.h"

namespace Sound {

namespace {

float gainOf(int volume)
{
    return static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;
}

// A mono sound at the channel's place on a unit circle in front of the listener: the
// distance, and so the loudness, is the same wherever it is put.
void placeOnChannel(ALuint source, int channel)
{
    const float x = static_cast<float>(std::clamp(channel, -100, 100)) / 100.0f;
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, x, 0.0f, -std::sqrt(1.0f - x * x));
}

} // namespace

OpenALController::OpenALController(double idleSeconds)
    : device(nullptr), context(nullptr), idleSeconds(idleSeconds)
{
}

OpenALController::~OpenALController()
{
    shutdown();
}

bool OpenALController::init()
{
    if (context != nullptr) {
        return true;
    }
    quietAudioLibraries();
    device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        return false;
    }
    context = alcCreateContext(device, nullptr);
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        shutdown();
        return false;
    }
    sources.assign(MAX_SOURCES, 0);
    buffers.assign(MAX_SOUNDS, 0);
    idle = std::make_unique<IdlePause>(device, idleSeconds);
    return true;
}

bool OpenALController::addSource(int source, bool looping)
{
    if (context == nullptr || source < 0 || source >= MAX_SOURCES) {
        return false;
    }
    ALuint& name = sources[static_cast<std::size_t>(source)];
    if (name == 0) {
        alGetError();
        alGenSources(1, &name);
        if (alGetError() != AL_NO_ERROR) {
            name = 0;
            return false;
        }
        idle->watch(name);
    }
    alSourceStop(name);
    alSourcei(name, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
    return true;
}

bool OpenALController::load(int sound, const std::string& fileName)
{
    if (context == nullptr || sound < 0 || sound >= MAX_SOUNDS) {
        return false;
    }
    ALuint& buffer = buffers[static_cast<std::size_t>(sound)];
    if (buffer != 0) {
        stopUsers(buffer);
        alDeleteBuffers(1, &buffer);
        buffer = 0;
    }
    SoundFile file;
    if (!file.read(fileName, MAX_SECONDS)) {
        return false;
    }
    alGetError();
    alGenBuffers(1, &buffer);
    const ALenum format = file.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    alBufferData(buffer, format, file.samples.data(),
                 static_cast<ALsizei>(file.samples.size() * sizeof(file.samples[0])),
                 file.sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        buffer = 0;
        return false;
    }
    return true;
}

void OpenALController::play(int source, int sound, int channel, int volume)
{
    if (!usableSource(source) || sound < 0 || sound >= MAX_SOUNDS ||
        buffers[static_cast<std::size_t>(sound)] == 0) {
        return;
    }
    const ALuint name = sources[static_cast<std::size_t>(source)];
    // A buffer can only be attached to a stopped source: the new sound cuts the old one.
    alSourceStop(name);
    alSourcei(name, AL_BUFFER, static_cast<ALint>(buffers[static_cast<std::size_t>(sound)]));
    alSourcef(name, AL_GAIN, gainOf(volume));
    placeOnChannel(name, channel);
    idle->wake();
    alSourcePlay(name);
}

void OpenALController::pause(int source)
{
    if (usableSource(source)) {
        alSourcePause(sources[static_cast<std::size_t>(source)]);
    }
}

void OpenALController::resume(int source)
{
    if (!usableSource(source)) {
        return;
    }
    const ALuint name = sources[static_cast<std::size_t>(source)];
    ALint state = AL_STOPPED;
    alGetSourcei(name, AL_SOURCE_STATE, &state);
    // Only a paused source goes on; a stopped one would start its sound again.
    if (state == AL_PAUSED) {
        idle->wake();
        alSourcePlay(name);
    }
}

void OpenALController::stop(int source)
{
    if (usableSource(source)) {
        alSourceStop(sources[static_cast<std::size_t>(source)]);
    }
}

bool OpenALController::isPlaying(int source)
{
    if (!usableSource(source)) {
        return false;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(sources[static_cast<std::size_t>(source)], AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void OpenALController::setVolume(int source, int volume)
{
    if (context != nullptr && source == ALL_SOURCES) {
        alListenerf(AL_GAIN, gainOf(volume));
    } else if (usableSource(source)) {
        alSourcef(sources[static_cast<std::size_t>(source)], AL_GAIN, gainOf(volume));
    }
}

void OpenALController::shutdown()
{
    // The watcher looks at the sources: it ends before they go.
    idle.reset();
    if (context != nullptr) {
        for (ALuint& name : sources) {
            if (name != 0) {
                alSourceStop(name);
                alDeleteSources(1, &name);
            }
        }
        for (ALuint& name : buffers) {
            if (name != 0) {
                alDeleteBuffers(1, &name);
            }
        }
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        context = nullptr;
    }
    sources.clear();
    buffers.clear();
    if (device != nullptr) {
        alcCloseDevice(device);
        device = nullptr;
    }
}

bool OpenALController::pausesWhenIdle() const
{
    return idle != nullptr && idle->pausesWhenIdle();
}

bool OpenALController::devicePaused() const
{
    return idle != nullptr && idle->paused();
}

bool OpenALController::usableSource(int source) const
{
    return context != nullptr && source >= 0 && source < MAX_SOURCES &&
           sources[static_cast<std::size_t>(source)] != 0;
}

void OpenALController::stopUsers(unsigned int buffer)
{
    for (ALuint name : sources) {
        if (name == 0) {
            continue;
        }
        ALint attached = 0;
        alGetSourcei(name, AL_BUFFER, &attached);
        if (static_cast<unsigned int>(attached) == buffer) {
            alSourceStop(name);
            alSourcei(name, AL_BUFFER, 0);
        }
    }
}

} // namespace Sound
