#pragma once

#include "Events/I_Event.h"

namespace EVT {

// The generic event without payload; its creator chooses the type number
// (quit, pause, resume, render and the game's own events).
class Event : public I_Event {
public:
    explicit Event(int eventType);
    Event(const Event&) = default;
    ~Event() override;

    I_Event* clone() const override;
};

} // namespace EVT
