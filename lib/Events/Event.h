#pragma once

#include "Events/I_Event.h"

namespace EVT {

// The generic event without payload; its creator chooses the type number
// (quit, pause, resume, render and the game's own events).
class Event : public I_Event {
public:
    // Made and destroyed inline: the render event is raised as a local object every frame.
    explicit Event(int eventType) : I_Event(eventType) {}
    Event(const Event&) = default;
    ~Event() override = default;

    I_Event* clone() const override;
};

} // namespace EVT
