#include "Events/Event_SetMouse.h"

#include "Events/EventType.h"

namespace EVT {

Event_SetMouse::Event_SetMouse(int posX, int posY, int cursorMode)
    : I_Event(SET_MOUSE), m_x(posX), m_y(posY), m_mode(cursorMode)
{
}

Event_SetMouse::~Event_SetMouse() = default;

I_Event* Event_SetMouse::clone() const
{
    return new Event_SetMouse(*this);
}

int Event_SetMouse::getX() const
{
    return m_x;
}

int Event_SetMouse::getY() const
{
    return m_y;
}

int Event_SetMouse::getMode() const
{
    return m_mode;
}

} // namespace EVT
