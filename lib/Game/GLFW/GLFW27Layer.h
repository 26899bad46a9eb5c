// Private to the GLFW layer's sources (GLFW27*.cpp): the one state the layer holds, and the
// GLFW 3 callbacks that feed the 2.7 ones.
#pragma once

#include <array>
#include <exception>
#include <functional>
#include <vector>

#include "Game/GLFW/GLFW27.h"

struct GLFWwindow;

namespace GLFW27 {
namespace Internal {

// Everything the layer holds: the one window, the 2.7 callbacks, feature switches, the wheel
// position and an exception caught inside a callback, waiting to be thrown from our own code.
struct Layer {
    bool initialised = false;
    GLFWwindow* window = nullptr;
    GLFWwindowsizefun sizeFun = nullptr;
    GLFWwindowclosefun closeFun = nullptr;
    GLFWkeyfun keyFun = nullptr;
    GLFWmousebuttonfun buttonFun = nullptr;
    GLFWmouseposfun posFun = nullptr;
    GLFWmousewheelfun wheelFun = nullptr;
    bool cursorShown = true;
    bool stickyKeys = false;
    bool keyRepeat = false;
    bool dropMotion = false;
    // While set, input is held instead of delivered (see glfwSetMousePos); the next poll
    // delivers what was held, in its order, before anything new.
    bool holdInput = false;
    std::vector<std::function<void()>> heldInput;
    // Whether each key (by 2.7 number) is physically down, whatever sticky keys report.
    std::array<bool, KEY_NUMBER_LIMIT> keysDown{};
    double wheelOffset = 0.0;
    int wheelPos = 0;
    std::exception_ptr pending;
};

// The layer's state, one for the process.
Layer& layer();

// Installs GLFW 3's callbacks on the window; they call the 2.7 callbacks of the layer.
void installWindowCallbacks(GLFWwindow* window);
// Delivers the input held while the cursor was placed, in its order.
void deliverHeldInput();
// Throws again, from our own code, what a 2.7 callback threw inside GLFW.
void rethrowPending();

} // namespace Internal
} // namespace GLFW27
