#pragma once

#include <functional>

#include "Game/GLFW/GLFW27.h"
#include "Support/XServer.h"

// For tests of a real window (they link the GLFW backend): waits that keep
// polling the window system, so that the window under test reads its input
// meanwhile.
namespace TestSupport {

inline bool pollWindowUntil(const std::function<bool()>& done, int timeoutMs = 2000)
{
    return waitUntil(done, timeoutMs, [] { GLFW27::glfwPollEvents(); });
}

// The X server the window tests run on (DISPLAY), waiting in the same way.
inline const XServer& windowDisplay()
{
    static const XServer l_display(XServer::CURRENT, [] { GLFW27::glfwPollEvents(); });
    return l_display;
}

} // namespace TestSupport
