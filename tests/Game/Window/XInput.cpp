#include "XInput.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "Game/GLFW27.h"

namespace XInput {

bool xdotool(const std::string& args)
{
    const std::string command = "xdotool " + args + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::string windowId(const std::string& title)
{
    const std::string command = "xdotool search --name '^" + title + "$' 2>/dev/null";
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::string id;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            int c;
            while ((c = std::fgetc(pipe)) != EOF && c != '\n') {
                id += static_cast<char>(c);
            }
            const bool found = pclose(pipe) == 0 && !id.empty();
            if (found) {
                return id;
            }
        }
        pollUntil([] { return false; }, 50 + 50 * attempt);
    }
    return std::string();
}

bool focusWindow(const std::string& title)
{
    // Let the X server map the window first: focusing an unmapped window fails.
    // On a loaded machine the map can take a while, so try again a few times.
    for (int attempt = 0; attempt < 10; ++attempt) {
        pollUntil([] { return false; }, 50 + 100 * attempt);
        if (xdotool("search --sync --name '^" + title + "$' windowfocus --sync")) {
            return true;
        }
    }
    return false;
}

bool tapKey(const std::string& key)
{
    return xdotool("keydown " + key + " sleep 0.1 keyup " + key);
}

bool pollUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        GLFW27::glfwPollEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace XInput
