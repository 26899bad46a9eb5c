#pragma once

#include "Events/EventType.h"
#include "Events/I_Event.h"

namespace EVT {

// The frame tick (type 6): the frame's elapsed game time in milliseconds.
class Event_Update : public I_Event {
public:
    // Made and destroyed inline: raised as a local object every frame.
    explicit Event_Update(float frameDelta) : I_Event(UPDATE), delta(frameDelta) {}
    Event_Update(const Event_Update&) = default;
    ~Event_Update() override = default;

    I_Event* clone() const override;

    float delta;
};

} // namespace EVT
