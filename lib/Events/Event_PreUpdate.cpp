#include "Events/Event_PreUpdate.h"

namespace EVT {

I_Event* Event_PreUpdate::clone() const
{
    return new Event_PreUpdate(*this);
}

} // namespace EVT
