#include "Events/Event.h"

namespace EVT {

I_Event* Event::clone() const
{
    return new Event(*this);
}

} // namespace EVT
