#pragma once

#include <vector>

#include "Events/I_Event.h"
#include "Events/I_EventConsumer.h"

namespace Devices {

// Turns the key events on the bus into a table of which keys are down now,
// so game code can poll keys. Codes 1, 2 and 3 hold shift, alt and ctrl,
// taken from the modifier bits of every key event. It can also raise a
// stored event when a given key goes down or comes up. Owns its stored
// events.
class Keyboard : public EVT::I_EventConsumer {
public:
    enum Modifiers { MOD_NONE = 0, MOD_SHIFT = 1, MOD_ALT = 2, MOD_CTRL = 4, MOD_INVALID = 0xffff };

    static constexpr int KEY_COUNT = 256;
    static constexpr unsigned char CODE_SHIFT = 1;
    static constexpr unsigned char CODE_ALT = 2;
    static constexpr unsigned char CODE_CTRL = 3;

    Keyboard();
    ~Keyboard() override;
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    void handleEvent(EVT::I_Event* event) override;
    // All keys up, all stored events deleted; raises nothing.
    virtual void reset();

    // One key transition, exactly as a key event would apply it, without
    // touching the modifier codes.
    void doKey(unsigned char key, bool down);

    // Store a clone of event, replacing any earlier one for that key.
    void addKeyPressEvent(unsigned char key, const EVT::I_Event& event);
    void addKeyReleaseEvent(unsigned char key, const EVT::I_Event& event);

    bool keyDown[KEY_COUNT];

private:
    void raise(EVT::I_Event* event);
    void replace(EVT::I_Event*& slot, EVT::I_Event* event);
    void dispose(EVT::I_Event* event);

    EVT::I_Event* pressEvents[KEY_COUNT];
    EVT::I_Event* releaseEvents[KEY_COUNT];
    // Stored events replaced while some stored event is being raised: they
    // may be the one in delivery, so they are deleted once raising is over.
    int raising = 0;
    std::vector<EVT::I_Event*> retired;
};

} // namespace Devices
