#pragma once

#include <ostream>

#include "Devices/Joypad.h"

namespace Tool {

class Steering;

// The gamepads of the people's seats: which pad each seat has ("JOY_P1" to "JOY_P4", pads
// counted from 1; absent or 0: none), the dead zone of the sticks ("JOY_DEADZONE", 0 to 0.9,
// absent: 0.25), the heading a pad points to, and the pushes and button presses new since
// the previous frame. Reads the installed joypad device (none installed: no pad does
// anything). Holds values only.
class PadControl {
public:
    static constexpr int MAX_SEATS = 4;
    static constexpr int NONE = -1;
    static constexpr float DEFAULT_DEAD_ZONE = 0.25f;

    // True when any seat has a pad setting: only then does the game install the joypad device.
    static bool configured();
    // The pad (0-based) a seat's setting gives, or NONE; a number outside 0 to MAX_PADS gives
    // NONE with a line on notes. The sticks' dead zone, brought into 0 to 0.9 with a line on
    // notes. A value that is no number throws std::domain_error, naming the setting.
    static int padSetting(int seat, std::ostream& notes);
    static float deadZoneSetting(std::ostream& notes);

    // The heading (up 0, down 1, left 2, right 3) a pad points to: the D-pad when pressed,
    // else the left stick once past deadZone; the larger of the two axes wins, and an exact
    // diagonal (or nothing) gives NONE.
    static int headingOf(const Devices::Joypad::Pad& pad, float deadZone);

    // Reads the settings for the first `seats` seats (the others get no pad). What the pads
    // show now counts as seen: a button already held is not a new press.
    void read(int seats);
    bool any() const { return seated > 0; }
    // The pad of a seat (0-based device number) or NONE.
    int padOf(int seat) const;
    // The heading the seat's pad points to now, or NONE.
    int heading(int seat) const;

    // Once per frame: notes which buttons went down on any seat's pad since the previous
    // call, and hands every new push of a seat's pad (a heading it did not point to at the
    // previous call) to steering as a press of that seat, when steering is given.
    void update(Steering* steering);
    // Whether the button went down on any seat's pad at the last update.
    bool pressed(int button) const;

private:
    void remember();

    int seated = 0;
    int pads[MAX_SEATS] = {NONE, NONE, NONE, NONE};
    float deadZone = DEFAULT_DEAD_ZONE;
    int lastHeading[MAX_SEATS] = {NONE, NONE, NONE, NONE};
    bool lastDown[MAX_SEATS][Devices::Joypad::BUTTONS] = {};
    bool newlyDown[Devices::Joypad::BUTTONS] = {};
};

} // namespace Tool
