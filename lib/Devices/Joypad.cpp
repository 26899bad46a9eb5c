#include "Devices/Joypad.h"

#include <cmath>

namespace Devices {

namespace {

bool validPad(int number)
{
    return number >= 0 && number < Joypad::MAX_PADS;
}

} // namespace

const Joypad::Pad& Joypad::pad(int number) const
{
    static const Pad l_absent;
    return validPad(number) ? pads[number] : l_absent;
}

void Joypad::setConnected(int number, bool connected)
{
    if (!validPad(number)) {
        return;
    }
    if (!connected) {
        pads[number] = Pad();
    }
    pads[number].connected = connected;
}

void Joypad::setButton(int number, int button, bool down)
{
    if (validPad(number) && button >= 0 && button < BUTTONS) {
        pads[number].connected = true;
        pads[number].buttons[button] = down;
    }
}

void Joypad::setAxis(int number, int axis, float value)
{
    if (!validPad(number) || axis < 0 || axis >= AXES) {
        return;
    }
    pads[number].connected = true;
    pads[number].axes[axis] = std::isnan(value) ? 0.0f : std::fmax(-1.0f, std::fmin(1.0f, value));
}

} // namespace Devices
