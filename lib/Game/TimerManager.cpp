#include "Game/TimerManager.h"

#include <algorithm>

namespace Game {

TimerBase::TimerManager::TimerManager() : inPass(false), passNumber(0) {}

TimerBase::TimerManager::~TimerManager()
{
    for (TimerBase* timer : timers) {
        if (timer != nullptr) {
            timer->timeUntilFire = 0.0f;
            timer->pauseCount = 0;
        }
    }
    timers.clear();
}

void TimerBase::TimerManager::started(TimerBase* timer)
{
    if (timer->timeUntilFire == 0.0f)
        timer->timeUntilFire = 1.0f;
    if (!isListed(timer))
        timers.push_back(timer);
}

void TimerBase::TimerManager::stopped(TimerBase* timer)
{
    auto it = std::find(timers.begin(), timers.end(), timer);
    if (it == timers.end())
        return;
    if (inPass)
        *it = nullptr;
    else
        timers.erase(it);
    timer->timeUntilFire = 0.0f;
}

void TimerBase::TimerManager::setPause(bool paused)
{
    // Index walk: a timer may be started from a pause hook in future code;
    // pausing itself never changes the list.
    for (std::size_t i = 0; i < timers.size(); ++i) {
        TimerBase* timer = timers[i];
        if (timer == nullptr)
            continue;
        if (paused)
            timer->pause();
        else
            timer->resume(false);
    }
}

void TimerBase::TimerManager::onUpdate(float delta)
{
    // Without timers a pass has nothing to do; the pass number only tells
    // passes with timers apart.
    if (inPass || timers.empty())
        return;
    // Ends the pass even if an onFire throws.
    struct PassScope {
        TimerManager& manager;
        ~PassScope()
        {
            manager.inPass = false;
            manager.dropStoppedSlots();
        }
    } scope{*this};
    inPass = true;
    ++passNumber;
    // The size is read afresh each step: timers started during the pass
    // are appended and reached in the same pass.
    for (std::size_t i = 0; i < timers.size(); ++i) {
        if (timers[i] != nullptr)
            advance(i, delta);
    }
}

void TimerBase::TimerManager::advance(std::size_t index, float delta)
{
    TimerBase* timer = timers[index];
    if (timer->pauseCount != 0)
        return;
    const bool due = !(timer->timeUntilFire > delta);
    // A timer restarted from its own onFire is reached again at the end of
    // the list; it may advance, but it fires at most once per pass, which
    // also keeps a timer that restarts itself from looping forever.
    if (due && timer->firedInPass == passNumber)
        return;
    timer->timePassed += delta;
    if (!due) {
        timer->timeUntilFire -= delta;
        return;
    }
    fire(index);
}

void TimerBase::TimerManager::fire(std::size_t index)
{
    TimerBase* timer = timers[index];
    // Overshoot is dropped: the next firing is a full period from now.
    timer->timeUntilFire = timer->repeatDelay;
    if (timer->repeatDelay == 0.0f) {
        // One-shot: inactive before onFire, so onFire may start it again.
        timers[index] = nullptr;
        timer->timeUntilFire = 0.0f;
    }
    timer->firedInPass = passNumber;

    struct FiringScope {
        TimerBase* timer;
        bool destroyed;
        ~FiringScope()
        {
            if (!destroyed)
                timer->destroyedWhileFiring = nullptr;
        }
    } scope{timer, false};
    timer->destroyedWhileFiring = &scope.destroyed;
    timer->onFire();
    if (!scope.destroyed)
        timer->timePassed = 0.0f;
}

void TimerBase::TimerManager::dropStoppedSlots()
{
    timers.erase(std::remove(timers.begin(), timers.end(), nullptr), timers.end());
}

std::size_t TimerBase::TimerManager::count() const
{
    return static_cast<std::size_t>(std::count_if(
        timers.begin(), timers.end(), [](const TimerBase* timer) { return timer != nullptr; }));
}

bool TimerBase::TimerManager::isListed(const TimerBase* timer) const
{
    return timer != nullptr && std::find(timers.begin(), timers.end(), timer) != timers.end();
}

} // namespace Game
