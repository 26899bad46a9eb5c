#pragma once

#include "Events/I_Event.h"

namespace EVT {

// Raised each frame before the update event (type 7), with the same delta in
// game milliseconds.
class Event_PreUpdate : public I_Event {
public:
    explicit Event_PreUpdate(float frameDelta);
    Event_PreUpdate(const Event_PreUpdate&) = default;
    ~Event_PreUpdate() override;

    I_Event* clone() const override;

    float delta;
};

} // namespace EVT
