#pragma once

#include "Events/I_Event.h"

namespace EVT {

// The polled state of one joystick (type 14): its number (0 to 15), the
// first two axes truncated toward zero (-1, 0 or 1) and the first four
// buttons, true while held.
class Event_Joypad : public I_Event {
public:
    static constexpr int BUTTON_COUNT = 4;

    Event_Joypad(int joystickNumber, int axisX, int axisY, bool button0 = false,
                 bool button1 = false, bool button2 = false, bool button3 = false);
    Event_Joypad(const Event_Joypad&) = default;
    ~Event_Joypad() override;

    I_Event* clone() const override;

    int joystick;
    int x;
    int y;
    bool buttons[BUTTON_COUNT];
};

} // namespace EVT
