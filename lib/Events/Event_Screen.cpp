#include "Events/Event_Screen.h"

#include "Events/EventType.h"

namespace EVT {

Event_Screen::Event_Screen(int newWidth, int newHeight)
    : I_Event(SCREEN), width(newWidth), height(newHeight)
{
}

Event_Screen::~Event_Screen() = default;

I_Event* Event_Screen::clone() const
{
    return new Event_Screen(*this);
}

} // namespace EVT
