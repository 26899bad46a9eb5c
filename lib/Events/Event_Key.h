#pragma once

#include "Events/I_Event.h"

namespace EVT {

// A key went down (pressed true) or came up (type 13). The key code is one
// of the key name table's 8-bit codes; modifiers is a bit set: 1 shift,
// 2 alt, 4 ctrl. A release carries the modifiers of its press.
class Event_Key : public I_Event {
public:
    Event_Key(unsigned char keyCode, bool isPressed, int modifierBits);
    Event_Key(const Event_Key&) = default;
    ~Event_Key() override;

    I_Event* clone() const override;

    unsigned char key;
    bool pressed;
    int modifiers;
};

} // namespace EVT
