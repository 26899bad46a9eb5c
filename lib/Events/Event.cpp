#include "Events/Event.h"

namespace EVT {

Event::Event(int eventType) : I_Event(eventType) {}

Event::~Event() = default;

I_Event* Event::clone() const
{
    return new Event(*this);
}

} // namespace EVT
