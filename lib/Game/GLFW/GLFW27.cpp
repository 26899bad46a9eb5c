#include "Game/GLFW/GLFW27.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "Game/GLFW/GLFW27Aliases.h"
#include "Game/GLFW/GLFW27Layer.h"

using namespace GLFW27::Aliases;
using namespace GLFW27::Internal;

#include <GL/glew.h>
// GLEW must come first; GLFW then includes no OpenGL header of its own.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace GLFW27 {
namespace Internal {

Layer& layer()
{
    static Layer l_layer;
    return l_layer;
}

} // namespace Internal
} // namespace GLFW27

namespace {

constexpr int kInitRetries = 20;

void onError(int, const char*)
{
    // Failures are reported by results; nothing is printed.
}

void applyInputModes()
{
    Layer& l = layer();
    if (!l.window) {
        return;
    }
    glfwSetInputMode(l.window, GLFW_CURSOR,
                     l.cursorShown ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);
    glfwSetInputMode(l.window, GLFW_STICKY_KEYS, l.stickyKeys ? GLFW_TRUE : GLFW_FALSE);
}

void setBitsHint(int hint, int bits)
{
    if (bits > 0) {
        glfwWindowHint(hint, bits);
    }
}

} // namespace

namespace GLFW27 {

int glfwInit()
{
    Layer& l = layer();
    if (l.initialised) {
        return 1;
    }
    ::glfwSetErrorCallback(onError);
    l.initialised = ::glfwInit() == GLFW_TRUE;
    // An X server resets when its last client leaves and refuses connections for a moment
    // meanwhile (a test server between two test programs, for one). With a display named,
    // a refused connection is tried again for about half a second before it counts.
    const bool displayNamed = std::getenv("DISPLAY") != nullptr;
    for (int attempt = 0; !l.initialised && displayNamed && attempt < kInitRetries; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        l.initialised = ::glfwInit() == GLFW_TRUE;
    }
    return l.initialised ? 1 : 0;
}

void glfwTerminate()
{
    Layer& l = layer();
    if (l.initialised) {
        ::glfwTerminate();
    }
    l = Layer();
}

namespace {

// X keeps a window side in 16 bits, and the driver's image transfers fail
// well before that (an X error that ends the process): a window wider or
// taller than the screen is opened at the screen's size on that side. The
// window application then resizes it to the size it chooses, which is never
// larger than a video mode.
void fitOnScreen(int& width, int& height)
{
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const ::GLFWvidmode* screen = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!screen) {
        return;
    }
    width = std::min(width, screen->width);
    height = std::min(height, screen->height);
}

} // namespace

int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits,
                   int depthbits, int stencilbits, int mode)
{
    Layer& l = layer();
    if (!l.initialised || l.window) {
        return 0;
    }
    GLFWmonitor* monitor = nullptr;
    if (mode == GLFW_FULLSCREEN) {
        monitor = glfwGetPrimaryMonitor();
        if (!monitor) {
            return 0;
        }
    }
    // 2.7 sizes a window left at 0 by 0 as 640 by 480, and one missing side at 4:3.
    if (width <= 0 && height <= 0) {
        width = 640;
        height = 480;
    } else if (width <= 0) {
        width = height * 4 / 3;
    } else if (height <= 0) {
        height = width * 3 / 4;
    }
    if (!monitor) {
        fitOnScreen(width, height);
    }
    glfwDefaultWindowHints();
    setBitsHint(GLFW_RED_BITS, redbits);
    setBitsHint(GLFW_GREEN_BITS, greenbits);
    setBitsHint(GLFW_BLUE_BITS, bluebits);
    setBitsHint(GLFW_ALPHA_BITS, alphabits);
    glfwWindowHint(GLFW_DEPTH_BITS, std::max(depthbits, 0));
    glfwWindowHint(GLFW_STENCIL_BITS, std::max(stencilbits, 0));
    GLFWwindow* window =
        glfwCreateWindow(std::max(width, 1), std::max(height, 1), "", monitor, nullptr);
    if (!window) {
        return 0;
    }
    glfwMakeContextCurrent(window);
    if (glewInit() != GLEW_OK) {
        glfwDestroyWindow(window);
        return 0;
    }
    l.window = window;
    // A full-screen 2.7 window starts with the cursor hidden.
    l.cursorShown = monitor == nullptr;
    applyInputModes();
    installWindowCallbacks(window);
    return 1;
}

void glfwCloseWindow()
{
    Layer& l = layer();
    if (l.window) {
        glfwDestroyWindow(l.window);
        l.window = nullptr;
    }
    // Held input belonged to the window.
    l.heldInput.clear();
}

void glfwSetWindowTitle(const char* title)
{
    if (layer().window && title) {
        ::glfwSetWindowTitle(layer().window, title);
    }
}

void glfwSetWindowSize(int width, int height)
{
    if (layer().window && width > 0 && height > 0) {
        ::glfwSetWindowSize(layer().window, width, height);
    }
}

void glfwGetWindowSize(int* width, int* height)
{
    int w = 0;
    int h = 0;
    if (layer().window) {
        ::glfwGetWindowSize(layer().window, &w, &h);
    }
    if (width) {
        *width = w;
    }
    if (height) {
        *height = h;
    }
}

int glfwGetWindowParam(int param)
{
    GLFWwindow* window = layer().window;
    switch (param) {
    case GLFW_OPENED:
        return window ? 1 : 0;
    case GLFW_ACTIVE:
        return window && glfwGetWindowAttrib(window, GLFW_FOCUSED) ? 1 : 0;
    default:
        return 0;
    }
}

void glfwSwapInterval(int interval)
{
    if (layer().window) {
        ::glfwSwapInterval(interval);
    }
}

void glfwSwapBuffers()
{
    if (layer().window) {
        ::glfwSwapBuffers(layer().window);
    }
    glfwPollEvents();
}

void glfwPollEvents()
{
    deliverHeldInput();
    if (layer().initialised) {
        ::glfwPollEvents();
    }
    rethrowPending();
}

void glfwEnable(int token)
{
    Layer& l = layer();
    if (token == GLFW_MOUSE_CURSOR) {
        l.cursorShown = true;
    } else if (token == k27StickyKeys) {
        l.stickyKeys = true;
    } else if (token == GLFW_KEY_REPEAT) {
        l.keyRepeat = true;
    }
    applyInputModes();
}

void glfwDisable(int token)
{
    Layer& l = layer();
    if (token == GLFW_MOUSE_CURSOR) {
        l.cursorShown = false;
    } else if (token == k27StickyKeys) {
        l.stickyKeys = false;
    } else if (token == GLFW_KEY_REPEAT) {
        l.keyRepeat = false;
    }
    applyInputModes();
}

int glfwGetKey(int key)
{
    const int key3 = keyToGlfw3(key);
    if (key3 < 0 || !layer().window) {
        return k27Release;
    }
    return ::glfwGetKey(layer().window, key3) == GLFW_PRESS ? k27Press : k27Release;
}

bool isKeyDown(int key)
{
    return key >= 0 && key < GLFW27::KEY_NUMBER_LIMIT && layer().window && layer().keysDown[key];
}

int glfwGetMouseButton(int button)
{
    if (button < 0 || button > k27MouseButtonLast || !layer().window) {
        return k27Release;
    }
    return ::glfwGetMouseButton(layer().window, button) == GLFW_PRESS ? k27Press : k27Release;
}

void glfwGetMousePos(int* x, int* y)
{
    double px = 0.0;
    double py = 0.0;
    if (layer().window) {
        glfwGetCursorPos(layer().window, &px, &py);
    }
    if (x) {
        *x = static_cast<int>(std::floor(px));
    }
    if (y) {
        *y = static_cast<int>(std::floor(py));
    }
}

// 2.7 placed the cursor at once. GLFW 3 warps it and reports the warp's motion (or the
// pointer entering the window) at a later poll, where it would pass for the player's own
// movement, and a second warp before then (hiding the cursor centres it) even turns it into
// a jump. So the warp is waited for and its motion taken in now, without a motion report.
void glfwSetMousePos(int x, int y)
{
    Layer& l = layer();
    if (!l.window) {
        return;
    }
    glfwSetCursorPos(l.window, x, y);
    double px = 0.0;
    double py = 0.0;
    glfwGetCursorPos(l.window, &px, &py); // a round trip: the warp's events are in by now
    // GLFW 3 recognises a warp's own motion report only while that warp is its latest, and
    // showing or hiding the cursor warps again: so the report is taken now, with a poll, and
    // dropped. This often runs inside an event delivery, so the poll delivers nothing: other
    // input it brings is held for the next poll.
    l.dropMotion = true;
    l.holdInput = true;
    ::glfwPollEvents();
    l.holdInput = false;
    l.dropMotion = false;
}

int glfwGetMouseWheel()
{
    return layer().wheelPos;
}

void glfwSetMouseWheel(int position)
{
    layer().wheelPos = position;
    layer().wheelOffset = position;
}

void glfwSetWindowSizeCallback(GLFWwindowsizefun callback)
{
    Layer& l = layer();
    l.sizeFun = callback;
    if (callback && l.window) {
        int width = 0;
        int height = 0;
        glfwGetWindowSize(&width, &height);
        callback(width, height);
    }
}

void glfwSetWindowCloseCallback(GLFWwindowclosefun callback)
{
    layer().closeFun = callback;
}

void glfwSetKeyCallback(GLFWkeyfun callback)
{
    layer().keyFun = callback;
}

void glfwSetMouseButtonCallback(GLFWmousebuttonfun callback)
{
    layer().buttonFun = callback;
}

void glfwSetMousePosCallback(GLFWmouseposfun callback)
{
    layer().posFun = callback;
}

void glfwSetMouseWheelCallback(GLFWmousewheelfun callback)
{
    layer().wheelFun = callback;
}

double glfwGetTime()
{
    return layer().initialised ? ::glfwGetTime() : 0.0;
}

void glfwSetTime(double time)
{
    if (layer().initialised) {
        ::glfwSetTime(time);
    }
}

} // namespace GLFW27
