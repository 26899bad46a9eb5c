#include "Events/Event_EnterLeave.h"

#include "Events/EventType.h"

namespace EVT {

Event_EnterLeave::Event_EnterLeave(bool isActive) : I_Event(ENTER_LEAVE), active(isActive) {}

Event_EnterLeave::~Event_EnterLeave() = default;

I_Event* Event_EnterLeave::clone() const
{
    return new Event_EnterLeave(*this);
}

} // namespace EVT
