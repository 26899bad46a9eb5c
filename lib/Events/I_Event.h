#pragma once

namespace EVT {

// Root of every event record. Consumers tell an event's kind by its type
// number, not by its class; records are copied only through clone().
class I_Event {
public:
    explicit I_Event(int eventType) : type(eventType) {}
    virtual ~I_Event() = default;

    // A new heap copy of the complete record; the caller owns it.
    virtual I_Event* clone() const = 0;

    int type;

protected:
    I_Event(const I_Event&) = default;
    I_Event& operator=(const I_Event&) = default;
};

} // namespace EVT
