#pragma once

#include "Events/EventType.h"
#include "Events/I_Event.h"

namespace EVT {

// Raised each frame before the update event (type 7), with the same delta in
// game milliseconds.
class Event_PreUpdate : public I_Event {
public:
    // Made and destroyed inline: raised as a local object every frame.
    explicit Event_PreUpdate(float frameDelta) : I_Event(PRE_UPDATE), delta(frameDelta) {}
    Event_PreUpdate(const Event_PreUpdate&) = default;
    ~Event_PreUpdate() override = default;

    I_Event* clone() const override;

    float delta;
};

} // namespace EVT
