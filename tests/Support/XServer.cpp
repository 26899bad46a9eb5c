#include "Support/XServer.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace TestSupport {

bool waitUntil(const std::function<bool()>& done, int timeoutMs, const std::function<void()>& pump)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        if (pump) {
            pump();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

XServer::XServer(Which which, std::function<void()> pump) : pump(std::move(pump))
{
    if (which == PRIVATE) {
        startXvfb();
    } else if (const char* current = std::getenv("DISPLAY")) {
        name = current;
    }
}

// The flags every private server of the tests and scripts uses (see also
// scripts/lib/xvfb.sh): a screen the game's largest window fits, no TCP,
// and -noreset so that the server stays up when its last client leaves.
void XServer::startXvfb()
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return;
    }
    server = ::fork();
    if (server == 0) {
        ::close(pipeFds[0]);
        std::string fd = std::to_string(pipeFds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    // Xvfb writes the display number it chose once it accepts connections.
    char buffer[32] = {};
    ssize_t got = server > 0 ? ::read(pipeFds[0], buffer, sizeof buffer - 1) : -1;
    // Kept open while the server runs: should it write its number again
    // (it does at every reset), a closed pipe would kill it.
    numberPipe = pipeFds[0];
    if (got > 0) {
        std::string number(buffer, static_cast<std::size_t>(got));
        while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) {
            number.pop_back();
        }
        name = ":" + number;
    }
}

XServer::~XServer()
{
    if (numberPipe >= 0) {
        ::close(numberPipe);
    }
    if (server > 0) {
        ::kill(server, SIGTERM);
        ::waitpid(server, nullptr, 0);
    }
}

// The tools run here are not under test: they get neither the sanitizer
// preload of a sanitized test nor its leak check.
std::string XServer::tool(const std::string& command) const
{
    return "env -u LD_PRELOAD DISPLAY=" + name + " " + command;
}

std::string XServer::output(const std::string& command) const
{
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            text += buffer;
        }
        if (::pclose(pipe) != 0) {
            text.clear();
        }
    }
    return text;
}

bool XServer::xdotool(const std::string& arguments) const
{
    const std::string command = tool("xdotool " + arguments + " >/dev/null 2>&1");
    return std::system(command.c_str()) == 0;
}

std::string XServer::findWindow(const std::string& title, int attempts) const
{
    const std::string command = tool("xdotool search --name '^" + title + "$' 2>/dev/null");
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0) {
            wait(50 * attempt);
        }
        const std::string found = output(command);
        const std::string first = found.substr(0, found.find('\n'));
        if (!first.empty()) {
            return first;
        }
    }
    return std::string();
}

bool XServer::focus(const std::string& title) const
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0) {
            wait(50 + 100 * attempt);
        }
        const std::string window = findWindow(title, 1);
        if (!window.empty() && xdotool("windowfocus --sync " + window)) {
            return true;
        }
    }
    return false;
}

bool XServer::holdKey(const std::string& key, int holdMs) const
{
    const std::string seconds = std::to_string(holdMs / 1000.0);
    return xdotool("keydown " + key + " sleep " + seconds + " keyup " + key);
}

bool XServer::screenshot(const std::string& window, const std::string& path) const
{
    const std::string command = tool("xwd -silent -id " + window + " >'" + path + "' 2>/dev/null");
    return std::system(command.c_str()) == 0;
}

void XServer::wait(int ms) const
{
    waitUntil([] { return false; }, ms, pump);
}

} // namespace TestSupport
