#pragma once

#include "Events/EventBus.h"
#include "Events/I_Event.h"
#include "Util/HashedID.h"

namespace EVT {

// Base of every class that receives events from the bus. The bus knows a
// consumer by its id (the virtual base), never by its address, so a consumer
// destroyed during a delivery is skipped without being touched. Destroying a
// consumer unregisters it from every type.
class I_EventConsumer : public virtual Util::HashedID<unsigned long> {
public:
    // Touching the bus first makes it outlive every consumer of static
    // storage, whose destructor still needs it.
    I_EventConsumer() { EventBus::instance(); }
    I_EventConsumer(const I_EventConsumer&) : I_EventConsumer() {}
    I_EventConsumer& operator=(const I_EventConsumer&) { return *this; }

    virtual ~I_EventConsumer()
    {
        if (EventBus::isAlive()) {
            EventBus::instance().removeConsumer(this);
        }
    }

    virtual void handleEvent(I_Event* event) = 0;
};

} // namespace EVT
