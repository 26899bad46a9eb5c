#include "PadControl.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

#include "CFG/CFG.h"
#include "CFG/SettingNumber.h"
#include "Devices/Devices.h"
#include "Steering.h"

namespace Tool {

namespace {

enum { UP = 0, DOWN = 1, LEFT = 2, RIGHT = 3 };

const char* const SEAT_SETTINGS[PadControl::MAX_SEATS] = {"JOY_P1", "JOY_P2", "JOY_P3", "JOY_P4"};
constexpr float MAX_DEAD_ZONE = 0.9f;

// The larger axis wins; equal non-zero axes are an exact diagonal and choose nothing.
int headingFrom(float x, float y)
{
    if (std::fabs(x) > std::fabs(y)) {
        return x > 0 ? RIGHT : LEFT;
    }
    if (std::fabs(y) > std::fabs(x)) {
        return y > 0 ? DOWN : UP;
    }
    return PadControl::NONE;
}

const Devices::Joypad::Pad& padState(int number)
{
    static const Devices::Joypad::Pad l_none;
    const Devices::Joypad* joypad = Devices::getJoypad();
    return joypad != nullptr ? joypad->pad(number) : l_none;
}

} // namespace

bool PadControl::configured()
{
    std::ostream quiet(nullptr);
    for (int seat = 0; seat < MAX_SEATS; ++seat) {
        if (padSetting(seat, quiet) != NONE) {
            return true;
        }
    }
    return false;
}

int PadControl::padSetting(int seat, std::ostream& notes)
{
    const char* key = SEAT_SETTINGS[seat];
    const std::string text = CFG::get(key);
    const int number = CFG::SettingNumber::read<int>(key, text);
    if (number >= 1 && number <= Devices::Joypad::MAX_PADS) {
        return number - 1;
    }
    if (number != 0) {
        notes << CFG::SettingNumber::limited(
                     key, text, "1 to " + std::to_string(Devices::Joypad::MAX_PADS) + "; 0: none",
                     "none")
              << '\n';
    }
    return NONE;
}

float PadControl::deadZoneSetting(std::ostream& notes)
{
    const std::string text = CFG::get("JOY_DEADZONE");
    if (text.empty()) {
        return DEFAULT_DEAD_ZONE;
    }
    const float asked = CFG::SettingNumber::read<float>("JOY_DEADZONE", text);
    return CFG::SettingNumber::clamp("JOY_DEADZONE", text, asked, 0.0f, MAX_DEAD_ZONE, notes);
}

int PadControl::headingOf(const Devices::Joypad::Pad& pad, float deadZone)
{
    using J = Devices::Joypad;
    const float padX =
        (pad.buttons[J::DPAD_RIGHT] ? 1.0f : 0.0f) - (pad.buttons[J::DPAD_LEFT] ? 1.0f : 0.0f);
    const float padY =
        (pad.buttons[J::DPAD_DOWN] ? 1.0f : 0.0f) - (pad.buttons[J::DPAD_UP] ? 1.0f : 0.0f);
    if (padX != 0 || padY != 0) {
        return headingFrom(padX, padY);
    }
    const float x = pad.axes[J::LEFT_X];
    const float y = pad.axes[J::LEFT_Y];
    if (std::max(std::fabs(x), std::fabs(y)) <= deadZone) {
        return NONE;
    }
    return headingFrom(x, y);
}

void PadControl::read(int seats)
{
    // The settings check said what is out of range at start-up.
    std::ostream quiet(nullptr);
    seated = 0;
    for (int seat = 0; seat < MAX_SEATS; ++seat) {
        pads[seat] = seat < seats ? padSetting(seat, quiet) : NONE;
        seated += pads[seat] != NONE ? 1 : 0;
    }
    deadZone = deadZoneSetting(quiet);
    remember();
    std::fill(std::begin(newlyDown), std::end(newlyDown), false);
}

int PadControl::padOf(int seat) const
{
    return seat >= 0 && seat < MAX_SEATS ? pads[seat] : NONE;
}

int PadControl::heading(int seat) const
{
    const int pad = padOf(seat);
    return pad == NONE ? NONE : headingOf(padState(pad), deadZone);
}

void PadControl::update(Steering* steering)
{
    std::fill(std::begin(newlyDown), std::end(newlyDown), false);
    for (int seat = 0; seat < MAX_SEATS; ++seat) {
        if (pads[seat] == NONE) {
            continue;
        }
        const Devices::Joypad::Pad& pad = padState(pads[seat]);
        for (int button = 0; button < Devices::Joypad::BUTTONS; ++button) {
            newlyDown[button] =
                newlyDown[button] || (pad.buttons[button] && !lastDown[seat][button]);
        }
        const int now = heading(seat);
        if (steering != nullptr && now != NONE && now != lastHeading[seat]) {
            steering->push(seat, now);
        }
    }
    remember();
}

bool PadControl::pressed(int button) const
{
    return button >= 0 && button < Devices::Joypad::BUTTONS && newlyDown[button];
}

void PadControl::remember()
{
    for (int seat = 0; seat < MAX_SEATS; ++seat) {
        const Devices::Joypad::Pad& pad = padState(pads[seat]);
        lastHeading[seat] = heading(seat);
        std::copy(std::begin(pad.buttons), std::end(pad.buttons), lastDown[seat]);
    }
}

} // namespace Tool
