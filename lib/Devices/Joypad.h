#pragma once

namespace Devices {

// The joypad device: what each of up to MAX_PADS gamepads shows now, in the standard gamepad
// layout (sticks as floats from -1 to 1, the D-pad and named buttons, in GLFW 3's order). A
// window backend writes it once per frame; a headless one from its script; game code reads
// it. It is not the joypad event, which stays as coarse as it always was. Holds values only.
class Joypad {
public:
    static constexpr int MAX_PADS = 16;
    // South, east, west and north face buttons (A, B, X, Y on most pads), then the rest.
    enum Button {
        BUTTON_A,
        BUTTON_B,
        BUTTON_X,
        BUTTON_Y,
        LEFT_BUMPER,
        RIGHT_BUMPER,
        BACK,
        START,
        GUIDE,
        LEFT_THUMB,
        RIGHT_THUMB,
        DPAD_UP,
        DPAD_RIGHT,
        DPAD_DOWN,
        DPAD_LEFT,
        BUTTONS
    };
    // Stick axes grow to the right and downwards; triggers from -1 (released) to 1.
    enum Axis { LEFT_X, LEFT_Y, RIGHT_X, RIGHT_Y, LEFT_TRIGGER, RIGHT_TRIGGER, AXES };

    struct Pad {
        bool connected = false;
        float axes[AXES] = {};
        bool buttons[BUTTONS] = {};
    };

    // The pad numbered 0 to MAX_PADS - 1; any other number reads as a pad not connected.
    const Pad& pad(int number) const;

    // Writers: numbers out of range are ignored, axis values clamped to -1 to 1 (a value that
    // is not a number reads as 0). A pad that is written becomes connected; disconnecting it
    // clears it.
    void setConnected(int number, bool connected);
    void setButton(int number, int button, bool down);
    void setAxis(int number, int axis, float value);

private:
    Pad pads[MAX_PADS];
};

} // namespace Devices
