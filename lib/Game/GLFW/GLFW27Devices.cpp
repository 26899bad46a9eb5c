#include "Game/GLFW/GLFW27.h"

#include <algorithm>

// The primary monitor's video modes and the joysticks, for the GLFW layer. Called before
// glfwInit or after glfwTerminate, GLFW 3 reports no monitor and no joystick.

#include "Game/GLFW/GLFW27Aliases.h"

using namespace GLFW27::Aliases;

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

// Video modes set by the caller in place of the monitor's; they outlive glfwTerminate.
struct ModeOverride {
    bool active = false;
    std::vector<GLFW27::GLFWvidmode> modes;
    GLFW27::GLFWvidmode desktop{};
};

ModeOverride& modeOverride()
{
    static ModeOverride l_override;
    return l_override;
}

GLFW27::GLFWvidmode toMode(const GLFWvidmode& mode)
{
    return GLFW27::GLFWvidmode{mode.width, mode.height, mode.redBits, mode.blueBits,
                               mode.greenBits};
}

const float* joystickAxes(int joy, int& count)
{
    count = 0;
    if (joy < 0 || joy > k27JoystickLast) {
        return nullptr;
    }
    return glfwGetJoystickAxes(GLFW_JOYSTICK_1 + joy, &count);
}

const unsigned char* joystickButtons(int joy, int& count)
{
    count = 0;
    if (joy < 0 || joy > k27JoystickLast) {
        return nullptr;
    }
    return glfwGetJoystickButtons(GLFW_JOYSTICK_1 + joy, &count);
}

} // namespace

namespace GLFW27 {

int glfwGetVideoModes(GLFWvidmode* list, int maxcount)
{
    ModeOverride& l = modeOverride();
    if (!list || maxcount <= 0) {
        return 0;
    }
    if (l.active) {
        const int count = std::min(maxcount, static_cast<int>(l.modes.size()));
        std::copy(l.modes.begin(), l.modes.begin() + count, list);
        return count;
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    int available = 0;
    const ::GLFWvidmode* modes = monitor ? ::glfwGetVideoModes(monitor, &available) : nullptr;
    const int count = modes ? std::min(maxcount, available) : 0;
    for (int i = 0; i < count; ++i) {
        list[i] = toMode(modes[i]);
    }
    return count;
}

void glfwGetDesktopMode(GLFWvidmode* mode)
{
    ModeOverride& l = modeOverride();
    if (!mode) {
        return;
    }
    *mode = GLFWvidmode{};
    if (l.active) {
        *mode = l.desktop;
        return;
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const ::GLFWvidmode* current = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (current) {
        *mode = toMode(*current);
    }
}

int glfwGetJoystickParam(int joy, int param)
{
    int count = 0;
    switch (param) {
    case GLFW_PRESENT:
        if (joy < 0 || joy > k27JoystickLast) {
            return 0;
        }
        return glfwJoystickPresent(GLFW_JOYSTICK_1 + joy) ? 1 : 0;
    case GLFW_AXES:
        joystickAxes(joy, count);
        return count;
    case GLFW_BUTTONS:
        joystickButtons(joy, count);
        return count;
    default:
        return 0;
    }
}

int glfwGetJoystickPos(int joy, float* pos, int numaxes)
{
    if (!pos || numaxes <= 0) {
        return 0;
    }
    std::fill(pos, pos + numaxes, 0.0f);
    int count = 0;
    const float* axes = joystickAxes(joy, count);
    if (!axes) {
        return 0;
    }
    count = std::min(count, numaxes);
    std::copy(axes, axes + count, pos);
    return count;
}

int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numbuttons)
{
    if (!buttons || numbuttons <= 0) {
        return 0;
    }
    std::fill(buttons, buttons + numbuttons, static_cast<unsigned char>(k27Release));
    int count = 0;
    const unsigned char* states = joystickButtons(joy, count);
    count = states ? std::min(count, numbuttons) : 0;
    for (int i = 0; i < count; ++i) {
        buttons[i] = states[i] == GLFW_PRESS ? k27Press : k27Release;
    }
    return count;
}

void setVideoModeOverride(const std::vector<GLFWvidmode>& modes, const GLFWvidmode& desktop)
{
    ModeOverride& l = modeOverride();
    l.active = true;
    l.modes = modes;
    l.desktop = desktop;
}

void clearVideoModeOverride()
{
    ModeOverride& l = modeOverride();
    l.active = false;
    l.modes.clear();
    l.desktop = GLFWvidmode{};
}

} // namespace GLFW27
