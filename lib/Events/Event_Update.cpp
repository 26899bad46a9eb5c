#include "Events/Event_Update.h"

namespace EVT {

I_Event* Event_Update::clone() const
{
    return new Event_Update(*this);
}

} // namespace EVT
