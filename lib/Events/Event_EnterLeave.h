#pragma once

#include "Events/I_Event.h"

namespace EVT {

// The window became (active true) or stopped being (false) the active window
// (type 12).
class Event_EnterLeave : public I_Event {
public:
    explicit Event_EnterLeave(bool isActive);
    Event_EnterLeave(const Event_EnterLeave&) = default;
    ~Event_EnterLeave() override;

    I_Event* clone() const override;

    bool active;
};

} // namespace EVT
