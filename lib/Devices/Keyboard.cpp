#include "Devices/Keyboard.h"

#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"

namespace Devices {

Keyboard::Keyboard() : keyDown{}, pressEvents{}, releaseEvents{}
{
    EVT::EventBus::instance().addConsumer(EVT::KEY, this);
}

Keyboard::~Keyboard()
{
    for (int k = 0; k < KEY_COUNT; ++k) {
        delete pressEvents[k];
        delete releaseEvents[k];
    }
    for (EVT::I_Event* event : retired) {
        delete event;
    }
}

void Keyboard::handleEvent(EVT::I_Event* event)
{
    // Only key events are registered for; anything else (even a generic
    // event carrying the key type number) has no key to read.
    auto* key = dynamic_cast<EVT::Event_Key*>(event);
    if (key == nullptr) {
        return;
    }
    // Read everything first: a stored event raised below may run code that
    // changes the record it came from.
    const unsigned char code = key->key;
    const bool pressed = key->pressed;
    const int modifiers = key->modifiers;
    doKey(code, pressed);
    doKey(CODE_SHIFT, (modifiers & MOD_SHIFT) != 0);
    doKey(CODE_ALT, (modifiers & MOD_ALT) != 0);
    doKey(CODE_CTRL, (modifiers & MOD_CTRL) != 0);
}

void Keyboard::doKey(unsigned char key, bool down)
{
    if (down == keyDown[key]) {
        return;
    }
    keyDown[key] = down;
    raise(down ? pressEvents[key] : releaseEvents[key]);
}

void Keyboard::raise(EVT::I_Event* event)
{
    if (event == nullptr) {
        return;
    }
    ++raising;
    EVT::EventBus::instance().raiseEvent(event, false);
    --raising;
    if (raising == 0 && !retired.empty()) {
        std::vector<EVT::I_Event*> done;
        done.swap(retired);
        for (EVT::I_Event* old : done) {
            delete old;
        }
    }
}

void Keyboard::reset()
{
    for (int k = 0; k < KEY_COUNT; ++k) {
        keyDown[k] = false;
        replace(pressEvents[k], nullptr);
        replace(releaseEvents[k], nullptr);
    }
}

void Keyboard::addKeyPressEvent(unsigned char key, const EVT::I_Event& event)
{
    replace(pressEvents[key], event.clone());
}

void Keyboard::addKeyReleaseEvent(unsigned char key, const EVT::I_Event& event)
{
    replace(releaseEvents[key], event.clone());
}

void Keyboard::replace(EVT::I_Event*& slot, EVT::I_Event* event)
{
    EVT::I_Event* old = slot;
    slot = event;
    dispose(old);
}

void Keyboard::dispose(EVT::I_Event* event)
{
    if (event == nullptr) {
        return;
    }
    // Replacing or resetting from inside the handling of a stored event must
    // not free the record the bus is still delivering.
    if (raising > 0) {
        retired.push_back(event);
        return;
    }
    delete event;
}

} // namespace Devices
