#include "Events/Event_Key.h"

#include "Events/EventType.h"

namespace EVT {

Event_Key::Event_Key(unsigned char keyCode, bool isPressed, int modifierBits)
    : I_Event(KEY), key(keyCode), pressed(isPressed), modifiers(modifierBits)
{
}

Event_Key::~Event_Key() = default;

I_Event* Event_Key::clone() const
{
    return new Event_Key(*this);
}

} // namespace EVT
