#pragma once

#include <cstddef>
#include <vector>

#include "Game/TimerBase.h"
#include "Util/Singleton.h"

namespace Game {

// The process-wide registry of active timers, in the order they were
// started. Advances them once per update and pauses them with the game.
// It does not own the timers; a timer removes itself when it stops or dies.
class TimerBase::TimerManager : public Util::Singleton<TimerBase::TimerManager> {
public:
    // Stops every listed timer.
    virtual ~TimerManager();

    void started(TimerBase* timer);
    void stopped(TimerBase* timer);
    void setPause(bool paused);
    // One update pass. A pass requested from inside a firing is ignored:
    // time advances once per update, and it cannot recurse.
    void onUpdate(float delta);

    std::size_t count() const;
    bool isListed(const TimerBase* timer) const;

private:
    friend class Util::Singleton<TimerManager>;
    TimerManager();

    void advance(std::size_t index, float delta);
    void fire(std::size_t index);
    void dropStoppedSlots();

    // During a pass a stopped timer's slot is set to null rather than
    // erased, so that the walk stays valid whatever onFire stops, destroys
    // or starts; the slots are dropped when the pass ends.
    std::vector<TimerBase*> timers;
    bool inPass;
    unsigned long passNumber;
};

} // namespace Game
