// How late a sound starts on a device paused for being idle (Sound::IdlePause), against one
// on a device that runs: the time the play takes (the resume inside it), and the time until
// the device has mixed the sound's first samples (its offset moves). ROUNDS rounds, the two
// kinds in turn, on whatever device OpenAL Soft opens (bench/sound-idle.sh chooses its null
// backend, which mixes in real time as a sound card's would). Prints one line per kind:
// min-max in milliseconds.
#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "Sound/AL/IdlePause.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int ROUNDS = 5;
constexpr double IDLE_SECONDS = 0.5;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A second of a quiet square wave, played from its start.
ALuint makeSource()
{
    std::vector<short> samples(44100);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = (i / 50) % 2 == 0 ? 2000 : -2000;
    }
    ALuint buffer = 0;
    ALuint source = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, samples.data(),
                 static_cast<ALsizei>(samples.size() * sizeof(short)), 44100);
    alGenSources(1, &source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    return source;
}

struct Start {
    double playMs;  // the play call, resume included
    double mixedMs; // until the first samples are mixed
};

Start playFromTheStart(Sound::IdlePause& idle, ALuint source)
{
    const Clock::time_point start = Clock::now();
    idle.wake();
    alSourcePlay(source);
    const double played = msSince(start);
    ALint offset = 0;
    while (offset == 0 && msSince(start) < 1000) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
        alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
    }
    const double mixed = msSince(start);
    alSourceStop(source);
    return Start{played, mixed};
}

void waitUntilPaused(const Sound::IdlePause& idle)
{
    const Clock::time_point start = Clock::now();
    while (!idle.paused() && msSince(start) < 10000) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void print(const char* kind, const std::vector<Start>& starts)
{
    auto [playLow, playHigh] = std::minmax_element(
        starts.begin(), starts.end(), [](auto& a, auto& b) { return a.playMs < b.playMs; });
    auto [mixLow, mixHigh] = std::minmax_element(
        starts.begin(), starts.end(), [](auto& a, auto& b) { return a.mixedMs < b.mixedMs; });
    std::printf("%-8s play %.3f-%.3f ms, first samples mixed after %.1f-%.1f ms\n", kind,
                playLow->playMs, playHigh->playMs, mixLow->mixedMs, mixHigh->mixedMs);
}

} // namespace

int main()
{
    ALCdevice* device = alcOpenDevice(nullptr);
    ALCcontext* context = device != nullptr ? alcCreateContext(device, nullptr) : nullptr;
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        std::fprintf(stderr, "cue latency: no OpenAL device\n");
        return 2;
    }
    const ALuint source = makeSource();
    std::vector<Start> resumed;
    std::vector<Start> running;
    {
        Sound::IdlePause idle(device, IDLE_SECONDS);
        if (!idle.pausesWhenIdle()) {
            std::fprintf(stderr, "cue latency: this device is never paused\n");
            return 2;
        }
        idle.watch(source);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> pause(0, 50000);
        for (int round = 0; round < ROUNDS; ++round) {
            waitUntilPaused(idle);
            resumed.push_back(playFromTheStart(idle, source));
            // Played again while the device still runs, at a random moment of its mixing
            // period (the last play ended just after a mix).
            std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
            running.push_back(playFromTheStart(idle, source));
        }
    }
    print("resumed", resumed);
    print("running", running);
    ALint buffer = 0;
    alGetSourcei(source, AL_BUFFER, &buffer);
    alDeleteSources(1, &source);
    const ALuint bufferName = static_cast<ALuint>(buffer);
    alDeleteBuffers(1, &bufferName);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
    return 0;
}
