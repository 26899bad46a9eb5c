#include "Events/Event_Mouse.h"

#include "Events/EventType.h"

namespace EVT {

Event_Mouse::Event_Mouse(int posX, int posY, int wheelSteps, int mouseButton, bool isPressed)
    : I_Event(MOUSE), x(posX), y(posY), wheelDelta(wheelSteps), button(mouseButton),
      pressed(isPressed)
{
}

Event_Mouse::~Event_Mouse() = default;

I_Event* Event_Mouse::clone() const
{
    return new Event_Mouse(*this);
}

} // namespace EVT
