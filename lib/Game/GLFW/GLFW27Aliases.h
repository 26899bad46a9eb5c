// Private to the GLFW layer's sources (GLFW27*.cpp): include it before GLFW 3's header.
//
// The layer's 2.7 constants share their names with macros of GLFW 3's header (GLFW_PRESS,
// GLFW_KEY_UP, GLFW_STICKY_KEYS...), which hide the 2.7 ones once that header is in. These
// aliases take the 2.7 numbers first, under names no macro touches.
#pragma once

#include "Game/GLFW/GLFW27.h"

namespace GLFW27 {
namespace Aliases {

inline constexpr int k27Release = GLFW_RELEASE;
inline constexpr int k27Press = GLFW_PRESS;
inline constexpr int k27Unknown = GLFW_KEY_UNKNOWN;
inline constexpr int k27Last = GLFW_KEY_LAST;
inline constexpr int k27F1 = GLFW_KEY_F1;
inline constexpr int k27Kp0 = GLFW_KEY_KP_0;
inline constexpr int k27StickyKeys = GLFW_STICKY_KEYS;
inline constexpr int k27MouseButtonLast = GLFW_MOUSE_BUTTON_LAST;
inline constexpr int k27JoystickLast = GLFW_JOYSTICK_LAST;

// Special keys other than the function keys and keypad digits, in the order of the key
// translation's GLFW 3 table.
inline constexpr int kSpecial27[] = {
    GLFW_KEY_ESC,        GLFW_KEY_UP,          GLFW_KEY_DOWN,        GLFW_KEY_LEFT,
    GLFW_KEY_RIGHT,      GLFW_KEY_LSHIFT,      GLFW_KEY_RSHIFT,      GLFW_KEY_LCTRL,
    GLFW_KEY_RCTRL,      GLFW_KEY_LALT,        GLFW_KEY_RALT,        GLFW_KEY_TAB,
    GLFW_KEY_ENTER,      GLFW_KEY_BACKSPACE,   GLFW_KEY_INSERT,      GLFW_KEY_DEL,
    GLFW_KEY_PAGEUP,     GLFW_KEY_PAGEDOWN,    GLFW_KEY_HOME,        GLFW_KEY_END,
    GLFW_KEY_KP_DIVIDE,  GLFW_KEY_KP_MULTIPLY, GLFW_KEY_KP_SUBTRACT, GLFW_KEY_KP_ADD,
    GLFW_KEY_KP_DECIMAL, GLFW_KEY_KP_EQUAL,    GLFW_KEY_KP_ENTER,    GLFW_KEY_KP_NUM_LOCK,
    GLFW_KEY_CAPS_LOCK,  GLFW_KEY_SCROLL_LOCK, GLFW_KEY_PAUSE,       GLFW_KEY_LSUPER,
    GLFW_KEY_RSUPER,     GLFW_KEY_MENU,
};

} // namespace Aliases
} // namespace GLFW27
