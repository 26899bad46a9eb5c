#include "Glfw3Probe.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace Glfw3Probe {

bool cursorShown()
{
    GLFWwindow* window = glfwGetCurrentContext();
    return window && glfwGetInputMode(window, GLFW_CURSOR) == GLFW_CURSOR_NORMAL;
}

} // namespace Glfw3Probe
