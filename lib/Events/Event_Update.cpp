#include "Events/Event_Update.h"

#include "Events/EventType.h"

namespace EVT {

Event_Update::Event_Update(float frameDelta) : I_Event(UPDATE), delta(frameDelta) {}

Event_Update::~Event_Update() = default;

I_Event* Event_Update::clone() const
{
    return new Event_Update(*this);
}

} // namespace EVT
