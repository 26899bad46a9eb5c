#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

struct ALCdevice_struct;

namespace Sound {

// Pauses an OpenAL Soft device while it has nothing to play, so that its mixing thread stops
// mixing silence: from the start until the first sound, and again once no source has played
// for the idle time. The next sound resumes it (ALC_SOFT_pause_device). A watcher thread looks
// at the sources a few times a second while the device runs and sleeps while it is paused.
//
// Does nothing where the device lacks the extension, and under OpenAL Soft's wave-writer
// backend, whose file must stay continuous in time. Owns the watcher thread; the device and
// its sources belong to the caller, which ends this object before deleting either.
class IdlePause {
public:
    IdlePause(ALCdevice_struct* device, double idleSeconds);
    ~IdlePause();
    IdlePause(const IdlePause&) = delete;
    IdlePause& operator=(const IdlePause&) = delete;

    // A source whose playing keeps the device running.
    void watch(unsigned int source);
    // Call before a source starts: the device runs again if it was paused.
    void wake();

    // Whether this device is paused when idle at all.
    bool pausesWhenIdle() const { return pauseDevice != nullptr; }
    bool paused() const;

private:
    using Clock = std::chrono::steady_clock;
    using DeviceCall = void (*)(ALCdevice_struct*);

    void run();
    bool anyPlaying() const;

    ALCdevice_struct* device;
    const Clock::duration idle;
    DeviceCall pauseDevice = nullptr;
    DeviceCall resumeDevice = nullptr;

    // Guards everything below, which the watcher shares with the caller's thread.
    mutable std::mutex mutex;
    std::condition_variable woken;
    std::vector<unsigned int> sources;
    Clock::time_point lastHeard;
    bool isPaused = false;
    bool stopping = false;
    std::thread watcher;
};

} // namespace Sound
