#include "Sound/AL/IdlePause.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <cstring>

namespace Sound {

namespace {

// How often the watcher looks at the sources while the device runs: a device pauses within
// this much after its idle time.
constexpr std::chrono::milliseconds LOOK_EVERY(250);

// OpenAL Soft's wave-writer backend writes the mix to a file (the sound tests listen to it);
// an open device's full name is its backend's device name.
bool writesAFile(ALCdevice* device)
{
    const ALCchar* name = alcGetString(device, ALC_ALL_DEVICES_SPECIFIER);
    return name != nullptr && std::strcmp(name, "Wave File Writer") == 0;
}

} // namespace

IdlePause::IdlePause(ALCdevice* device, double idleSeconds)
    : device(device),
      idle(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(idleSeconds))),
      lastHeard(Clock::now())
{
    if (writesAFile(device) || alcIsExtensionPresent(device, "ALC_SOFT_pause_device") != ALC_TRUE) {
        return;
    }
    auto pause =
        reinterpret_cast<LPALCDEVICEPAUSESOFT>(alcGetProcAddress(device, "alcDevicePauseSOFT"));
    auto resume =
        reinterpret_cast<LPALCDEVICERESUMESOFT>(alcGetProcAddress(device, "alcDeviceResumeSOFT"));
    if (pause == nullptr || resume == nullptr) {
        return;
    }
    pauseDevice = pause;
    resumeDevice = resume;
    // Nothing plays before the first sound, so there is nothing to mix until then.
    pauseDevice(device);
    isPaused = true;
    watcher = std::thread([this] { run(); });
}

IdlePause::~IdlePause()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    woken.notify_all();
    if (watcher.joinable()) {
        watcher.join();
    }
}

void IdlePause::watch(unsigned int source)
{
    std::lock_guard<std::mutex> lock(mutex);
    sources.push_back(source);
}

void IdlePause::wake()
{
    if (!pausesWhenIdle()) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex);
    lastHeard = Clock::now();
    if (isPaused) {
        resumeDevice(device);
        isPaused = false;
        woken.notify_all();
    }
}

bool IdlePause::paused() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return isPaused;
}

void IdlePause::run()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (!stopping) {
        if (isPaused) {
            // Until the next sound or the end: a paused device costs no wake-up.
            woken.wait(lock);
            continue;
        }
        woken.wait_for(lock, LOOK_EVERY);
        if (stopping || isPaused) {
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (anyPlaying()) {
            lastHeard = now;
        } else if (now - lastHeard >= idle) {
            pauseDevice(device);
            isPaused = true;
        }
    }
}

bool IdlePause::anyPlaying() const
{
    for (unsigned int source : sources) {
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) {
            return true;
        }
    }
    return false;
}

} // namespace Sound
