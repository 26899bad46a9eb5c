#pragma once

#include "Events/I_Event.h"

namespace EVT {

// Mouse motion, button or wheel (type 11). Buttons: 1 left, 2 right,
// 4 middle, 0 none; wheelDelta counts wheel steps since the last wheel event.
class Event_Mouse : public I_Event {
public:
    Event_Mouse(int posX, int posY, int wheelSteps, int mouseButton, bool isPressed);
    Event_Mouse(const Event_Mouse&) = default;
    ~Event_Mouse() override;

    I_Event* clone() const override;

    int x;
    int y;
    int wheelDelta;
    int button;
    bool pressed;
};

} // namespace EVT
