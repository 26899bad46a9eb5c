#include "Game/GLFW/GLFW27Layer.h"

#include <cmath>

// GLFW 3's window callbacks, turned into the 2.7 callbacks the layer holds: 2.7 numbers for
// keys and actions, the wheel as a position, a close callback's answer, exceptions kept from
// crossing GLFW's C code, and input held while the cursor is placed.

#include "Game/GLFW/GLFW27Aliases.h"

using namespace GLFW27::Aliases;

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace GLFW27 {
namespace Internal {

namespace {

// Runs a 2.7 callback from inside GLFW. An exception must not unwind through GLFW's C code,
// so it is kept and thrown again when polling returns to us; the rest of that poll's input
// is dropped, since the program is about to unwind anyway.
template <typename Call>
void guarded(Call call)
{
    Layer& l = layer();
    if (l.pending) {
        return;
    }
    try {
        call();
    } catch (...) {
        l.pending = std::current_exception();
    }
}

// Runs a 2.7 callback now, or holds it for the next poll. The call looks the callback up when
// it runs, so one removed meanwhile is not called.
void deliver(std::function<void()> call)
{
    Layer& l = layer();
    if (l.holdInput) {
        l.heldInput.push_back(std::move(call));
    } else {
        guarded(call);
    }
}

void onKey(GLFWwindow*, int key, int, int action, int)
{
    Layer& l = layer();
    const int key27 = GLFW27::keyFromGlfw3(key);
    if (key27 == k27Unknown) {
        return;
    }
    l.keysDown[key27] = action != GLFW_RELEASE;
    if (!l.keyFun || (action == GLFW_REPEAT && !l.keyRepeat)) {
        return;
    }
    const int action27 = action == GLFW_RELEASE ? k27Release : k27Press;
    deliver([key27, action27] {
        if (layer().keyFun) {
            layer().keyFun(key27, action27);
        }
    });
}

void onMouseButton(GLFWwindow*, int button, int action, int)
{
    Layer& l = layer();
    if (l.buttonFun) {
        const int action27 = action == GLFW_RELEASE ? k27Release : k27Press;
        deliver([button, action27] {
            if (layer().buttonFun) {
                layer().buttonFun(button, action27);
            }
        });
    }
}

void onCursorPos(GLFWwindow*, double x, double y)
{
    Layer& l = layer();
    if (l.posFun && !l.dropMotion) {
        guarded(
            [&] { l.posFun(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))); });
    }
}

// Wheel offsets are summed exactly and the integer position follows their floor, so that
// fractional steps (touchpads) add up instead of being lost one by one.
void onScroll(GLFWwindow*, double, double yoffset)
{
    Layer& l = layer();
    l.wheelOffset += yoffset;
    const int position = static_cast<int>(std::floor(l.wheelOffset));
    if (position == l.wheelPos) {
        return;
    }
    l.wheelPos = position;
    if (l.wheelFun) {
        deliver([position] {
            if (layer().wheelFun) {
                layer().wheelFun(position);
            }
        });
    }
}

void onWindowSize(GLFWwindow*, int width, int height)
{
    Layer& l = layer();
    if (l.sizeFun) {
        deliver([width, height] {
            if (layer().sizeFun) {
                layer().sizeFun(width, height);
            }
        });
    }
}

// A 2.7 close callback that returns false keeps the window open.
void onWindowClose(GLFWwindow* window)
{
    Layer& l = layer();
    if (!l.closeFun) {
        return;
    }
    // Held, the request waits with the window kept open; its answer decides when it is
    // delivered.
    if (l.holdInput) {
        ::glfwSetWindowShouldClose(window, GLFW_FALSE);
    }
    deliver([window] {
        Layer& now = layer();
        if (!now.closeFun || now.window != window) {
            return;
        }
        const int close = now.closeFun();
        ::glfwSetWindowShouldClose(window, close ? GLFW_TRUE : GLFW_FALSE);
    });
}

} // namespace

// Input held may hold more when its handlers place the cursor: that comes after it.
void deliverHeldInput()
{
    Layer& l = layer();
    while (!l.heldInput.empty()) {
        std::vector<std::function<void()>> batch;
        batch.swap(l.heldInput);
        for (const auto& call : batch) {
            guarded(call);
        }
    }
}

void rethrowPending()
{
    Layer& l = layer();
    if (l.pending) {
        std::exception_ptr pending = l.pending;
        l.pending = nullptr;
        std::rethrow_exception(pending);
    }
}

void installWindowCallbacks(GLFWwindow* window)
{
    ::glfwSetKeyCallback(window, onKey);
    ::glfwSetMouseButtonCallback(window, onMouseButton);
    ::glfwSetCursorPosCallback(window, onCursorPos);
    ::glfwSetScrollCallback(window, onScroll);
    ::glfwSetWindowSizeCallback(window, onWindowSize);
    ::glfwSetWindowCloseCallback(window, onWindowClose);
}

} // namespace Internal
} // namespace GLFW27
