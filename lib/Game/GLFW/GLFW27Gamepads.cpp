#include "Game/GLFW/GLFW27Gamepads.h"

#include "Devices/Joypad.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace GLFW27 {

void readGamepads(Devices::Joypad& joypad)
{
    static_assert(Devices::Joypad::BUTTONS == GLFW_GAMEPAD_BUTTON_LAST + 1,
                  "the joypad's buttons are GLFW's, in its order");
    static_assert(Devices::Joypad::AXES == GLFW_GAMEPAD_AXIS_LAST + 1,
                  "the joypad's axes are GLFW's, in its order");
    for (int pad = 0; pad < Devices::Joypad::MAX_PADS; ++pad) {
        GLFWgamepadstate state;
        if (glfwGetGamepadState(GLFW_JOYSTICK_1 + pad, &state) != GLFW_TRUE) {
            joypad.setConnected(pad, false);
            continue;
        }
        for (int button = 0; button < Devices::Joypad::BUTTONS; ++button) {
            joypad.setButton(pad, button, state.buttons[button] == GLFW_PRESS);
        }
        for (int axis = 0; axis < Devices::Joypad::AXES; ++axis) {
            joypad.setAxis(pad, axis, state.axes[axis]);
        }
    }
}

} // namespace GLFW27
