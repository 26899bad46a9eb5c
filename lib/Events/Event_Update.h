#pragma once

#include "Events/I_Event.h"

namespace EVT {

// The frame tick (type 6): the frame's elapsed game time in milliseconds.
class Event_Update : public I_Event {
public:
    explicit Event_Update(float frameDelta);
    Event_Update(const Event_Update&) = default;
    ~Event_Update() override;

    I_Event* clone() const override;

    float delta;
};

} // namespace EVT
