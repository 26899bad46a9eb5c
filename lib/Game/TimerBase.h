#pragma once

#include "Util/NonCopyable.h"

namespace Game {

// Base of game code that wants a call after a delay, once or repeatedly,
// in game milliseconds. Derived classes implement onFire. A started timer
// is listed with the process-wide TimerManager, which advances it with
// every update; the timer owns nothing and the manager does not own it.
class TimerBase : public Util::NonCopyable<TimerBase> {
public:
    class TimerManager;

    TimerBase();
    // Stops the timer, so the manager never reaches a destroyed timer.
    virtual ~TimerBase();

    virtual void onFire() = 0;

    // Fires after delay, then every repeat (0: once). A delay of 0 only
    // resets the time passed. Starting an active timer restarts it in place.
    void start(float delay, float repeat);
    void stop();
    // Nested pauses: the timer stands still until every pause is resumed.
    int pause();
    int resume(bool all);

    bool isActive() const { return timeUntilFire != 0.0f; }
    int isPaused() const { return pauseCount; }
    float getTimeUntilFire() const { return timeUntilFire; }
    float getRepeatDelay() const { return repeatDelay; }
    float getTimePassed() const { return timePassed; }

    // The game manager's hooks into the manager: pause/resume and advance.
    static void setPause(bool paused);
    static void onUpdate(float delta);

private:
    float timeUntilFire;
    float repeatDelay;
    float timePassed;
    int pauseCount;
    // Bookkeeping of the manager's update pass: the pass in which the timer
    // last fired, and a flag raised if the timer is destroyed in onFire.
    unsigned long firedInPass;
    bool* destroyedWhileFiring;
};

} // namespace Game
