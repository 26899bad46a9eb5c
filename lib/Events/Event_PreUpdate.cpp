#include "Events/Event_PreUpdate.h"

#include "Events/EventType.h"

namespace EVT {

Event_PreUpdate::Event_PreUpdate(float frameDelta) : I_Event(PRE_UPDATE), delta(frameDelta) {}

Event_PreUpdate::~Event_PreUpdate() = default;

I_Event* Event_PreUpdate::clone() const
{
    return new Event_PreUpdate(*this);
}

} // namespace EVT
