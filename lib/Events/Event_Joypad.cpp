#include "Events/Event_Joypad.h"

#include "Events/EventType.h"

namespace EVT {

Event_Joypad::Event_Joypad(int joystickNumber, int axisX, int axisY, bool button0, bool button1,
                           bool button2, bool button3)
    : I_Event(JOYPAD), joystick(joystickNumber), x(axisX),
      y(axisY), buttons{button0, button1, button2, button3}
{
}

Event_Joypad::~Event_Joypad() = default;

I_Event* Event_Joypad::clone() const
{
    return new Event_Joypad(*this);
}

} // namespace EVT
