#pragma once

#include <vector>

// The GLFW 2.7 style calls that the window application is written against, implemented on
// GLFW 3. GLFW 3 already owns names such as glfwSwapBuffers, so these live in a namespace of
// their own. The layer only translates: one window held here, 2.7 key numbers, 2.7 callback
// shapes; every decision about what to do with input stays in Game::GLFWApp.
//
// Do not include <GLFW/glfw3.h> in the same file: several 2.7 names below are macros there.
namespace GLFW27 {

// Key and button actions.
constexpr int GLFW_RELEASE = 0;
constexpr int GLFW_PRESS = 1;

// Keys. Printable keys are their upper-case character (32 to 96); the special keys follow.
constexpr int GLFW_KEY_UNKNOWN = -1;
constexpr int GLFW_KEY_SPACE = 32;
constexpr int GLFW_KEY_SPECIAL = 256;
constexpr int GLFW_KEY_ESC = 257;
constexpr int GLFW_KEY_F1 = 258;
constexpr int GLFW_KEY_F25 = 282;
constexpr int GLFW_KEY_UP = 283;
constexpr int GLFW_KEY_DOWN = 284;
constexpr int GLFW_KEY_LEFT = 285;
constexpr int GLFW_KEY_RIGHT = 286;
constexpr int GLFW_KEY_LSHIFT = 287;
constexpr int GLFW_KEY_RSHIFT = 288;
constexpr int GLFW_KEY_LCTRL = 289;
constexpr int GLFW_KEY_RCTRL = 290;
constexpr int GLFW_KEY_LALT = 291;
constexpr int GLFW_KEY_RALT = 292;
constexpr int GLFW_KEY_TAB = 293;
constexpr int GLFW_KEY_ENTER = 294;
constexpr int GLFW_KEY_BACKSPACE = 295;
constexpr int GLFW_KEY_INSERT = 296;
constexpr int GLFW_KEY_DEL = 297;
constexpr int GLFW_KEY_PAGEUP = 298;
constexpr int GLFW_KEY_PAGEDOWN = 299;
constexpr int GLFW_KEY_HOME = 300;
constexpr int GLFW_KEY_END = 301;
constexpr int GLFW_KEY_KP_0 = 302;
constexpr int GLFW_KEY_KP_9 = 311;
constexpr int GLFW_KEY_KP_DIVIDE = 312;
constexpr int GLFW_KEY_KP_MULTIPLY = 313;
constexpr int GLFW_KEY_KP_SUBTRACT = 314;
constexpr int GLFW_KEY_KP_ADD = 315;
constexpr int GLFW_KEY_KP_DECIMAL = 316;
constexpr int GLFW_KEY_KP_EQUAL = 317;
constexpr int GLFW_KEY_KP_ENTER = 318;
constexpr int GLFW_KEY_KP_NUM_LOCK = 319;
constexpr int GLFW_KEY_CAPS_LOCK = 320;
constexpr int GLFW_KEY_SCROLL_LOCK = 321;
constexpr int GLFW_KEY_PAUSE = 322;
constexpr int GLFW_KEY_LSUPER = 323;
constexpr int GLFW_KEY_RSUPER = 324;
constexpr int GLFW_KEY_MENU = 325;
constexpr int GLFW_KEY_LAST = GLFW_KEY_MENU;
// Every key number the layer reports is below this: keys 2.7 does not know are numbered
// after GLFW_KEY_LAST, by their GLFW 3 number.
constexpr int KEY_NUMBER_LIMIT = GLFW_KEY_LAST + 1 + 349;

// Mouse buttons.
constexpr int GLFW_MOUSE_BUTTON_LEFT = 0;
constexpr int GLFW_MOUSE_BUTTON_RIGHT = 1;
constexpr int GLFW_MOUSE_BUTTON_MIDDLE = 2;
constexpr int GLFW_MOUSE_BUTTON_LAST = 7;

// Joysticks are numbered 0 to 15.
constexpr int GLFW_JOYSTICK_1 = 0;
constexpr int GLFW_JOYSTICK_LAST = 15;

// Window modes of glfwOpenWindow.
constexpr int GLFW_WINDOW = 0x00010001;
constexpr int GLFW_FULLSCREEN = 0x00010002;

// Window parameters of glfwGetWindowParam.
constexpr int GLFW_OPENED = 0x00020001;
constexpr int GLFW_ACTIVE = 0x00020002;

// Features of glfwEnable and glfwDisable.
constexpr int GLFW_MOUSE_CURSOR = 0x00030001;
constexpr int GLFW_STICKY_KEYS = 0x00030002;
constexpr int GLFW_KEY_REPEAT = 0x00030005;

// Joystick parameters of glfwGetJoystickParam.
constexpr int GLFW_PRESENT = 0x00050001;
constexpr int GLFW_AXES = 0x00050002;
constexpr int GLFW_BUTTONS = 0x00050003;

// A video mode: size and colour bits.
struct GLFWvidmode {
    int Width;
    int Height;
    int RedBits;
    int BlueBits;
    int GreenBits;
};

using GLFWwindowsizefun = void (*)(int width, int height);
using GLFWwindowclosefun = int (*)();
using GLFWkeyfun = void (*)(int key, int action);
using GLFWmousebuttonfun = void (*)(int button, int action);
using GLFWmouseposfun = void (*)(int x, int y);
using GLFWmousewheelfun = void (*)(int position);

// Start-up and end. glfwTerminate closes the window and forgets every callback.
int glfwInit();
void glfwTerminate();

// Opens the one window with an OpenGL context and loads the extension entry points.
// Returns 1 (GL_TRUE) on success; 0 (GL_FALSE) when there is no display, no context, the
// extensions cannot be loaded or a window is already open; a failure leaves no new window. Colour
// bits of 0 leave the choice to GLFW; mode is GLFW_WINDOW or GLFW_FULLSCREEN (on the primary
// monitor).
int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits,
                   int depthbits, int stencilbits, int mode);
void glfwCloseWindow();

// Window. Every call on the window does nothing (or reports zeros) while none is open.
void glfwSetWindowTitle(const char* title);
void glfwSetWindowSize(int width, int height);
void glfwGetWindowSize(int* width, int* height);
int glfwGetWindowParam(int param);
void glfwSwapInterval(int interval);

// Presents the frame, then polls the window system, so input callbacks run inside it.
// An exception thrown by a callback is held while the window system's code is on the stack
// and thrown from here once polling has returned.
void glfwSwapBuffers();
void glfwPollEvents();

// Features: GLFW_MOUSE_CURSOR, GLFW_STICKY_KEYS, GLFW_KEY_REPEAT.
void glfwEnable(int token);
void glfwDisable(int token);

// Input state, in 2.7 numbers. With sticky keys on, glfwGetKey reports a key that was pressed
// as down until it has been asked once, even after its release; isKeyDown tells whether the
// key is held now, as seen by the key input so far.
int glfwGetKey(int key);
bool isKeyDown(int key);
int glfwGetMouseButton(int button);
void glfwGetMousePos(int* x, int* y);
// Places the cursor at once; the move is not reported to the mouse position callback. Input
// that was waiting is delivered to the other callbacks now.
void glfwSetMousePos(int x, int y);
int glfwGetMouseWheel();
void glfwSetMouseWheel(int position);

// Callbacks. Installing the window size callback calls it at once with the current size.
void glfwSetWindowSizeCallback(GLFWwindowsizefun callback);
void glfwSetWindowCloseCallback(GLFWwindowclosefun callback);
void glfwSetKeyCallback(GLFWkeyfun callback);
void glfwSetMouseButtonCallback(GLFWmousebuttonfun callback);
void glfwSetMousePosCallback(GLFWmouseposfun callback);
void glfwSetMouseWheelCallback(GLFWmousewheelfun callback);

// Video modes of the primary monitor; zeros or no modes without a monitor.
int glfwGetVideoModes(GLFWvidmode* list, int maxcount);
void glfwGetDesktopMode(GLFWvidmode* mode);

// Joysticks 0 to 15. Axes and buttons beyond those reported are 0 and released.
int glfwGetJoystickParam(int joy, int param);
int glfwGetJoystickPos(int joy, float* pos, int numaxes);
int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numbuttons);

// Seconds since glfwInit, or since the last glfwSetTime.
double glfwGetTime();
void glfwSetTime(double time);

// Key number translation: a GLFW 3 key to its 2.7 number (keys 2.7 does not know get numbers
// above GLFW_KEY_LAST; GLFW_KEY_UNKNOWN for a key without a number), and back (-1 for none).
int keyFromGlfw3(int glfw3Key);
int keyToGlfw3(int key);

// Replaces the primary monitor's video modes and desktop mode as glfwGetVideoModes and
// glfwGetDesktopMode report them, so window size choices can be checked on any display.
void setVideoModeOverride(const std::vector<GLFWvidmode>& modes, const GLFWvidmode& desktop);
void clearVideoModeOverride();

} // namespace GLFW27
