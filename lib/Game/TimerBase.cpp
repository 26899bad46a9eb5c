#include "Game/TimerBase.h"

#include "Game/TimerManager.h"

namespace Game {

TimerBase::TimerBase()
    : timeUntilFire(0.0f), repeatDelay(0.0f), timePassed(0.0f), pauseCount(0), firedInPass(0),
      destroyedWhileFiring(nullptr)
{
}

TimerBase::~TimerBase()
{
    // The manager's pass may be inside this timer's onFire; it must not
    // touch the timer once onFire returns.
    if (destroyedWhileFiring != nullptr)
        *destroyedWhileFiring = true;
    // Only an active timer touches the manager, so timers that outlive the
    // manager at exit (which stopped them all) never reach a dead registry.
    stop();
}

void TimerBase::start(float delay, float repeat)
{
    timePassed = 0.0f;
    if (delay == 0.0f)
        return;
    const bool wasActive = isActive();
    timeUntilFire = delay;
    repeatDelay = repeat;
    pauseCount = 0;
    if (!wasActive)
        TimerManager::instance().started(this);
}

void TimerBase::stop()
{
    if (!isActive())
        return;
    pauseCount = 0;
    TimerManager::instance().stopped(this);
}

int TimerBase::pause()
{
    if (isActive())
        ++pauseCount;
    return pauseCount;
}

int TimerBase::resume(bool all)
{
    if (pauseCount != 0)
        pauseCount = all ? 0 : pauseCount - 1;
    return pauseCount;
}

void TimerBase::setPause(bool paused)
{
    TimerManager::instance().setPause(paused);
}

void TimerBase::onUpdate(float delta)
{
    TimerManager::instance().onUpdate(delta);
}

} // namespace Game
