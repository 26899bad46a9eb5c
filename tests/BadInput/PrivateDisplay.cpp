#include "PrivateDisplay.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

PrivateDisplay::PrivateDisplay()
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
    // Without -noreset it would write it again each time its last client
    // left, and die of the closed pipe.
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

PrivateDisplay::~PrivateDisplay()
{
    if (numberPipe >= 0) {
        ::close(numberPipe);
    }
    if (server > 0) {
        ::kill(server, SIGTERM);
        ::waitpid(server, nullptr, 0);
    }
}

std::string PrivateDisplay::xdotool(const std::string& arguments) const
{
    std::string command = "DISPLAY=" + name + " xdotool " + arguments + " 2>/dev/null";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        ::pclose(pipe);
    }
    return output;
}

std::string PrivateDisplay::findWindow(const std::string& title) const
{
    std::string found = xdotool("search --name '^" + title + "$'");
    std::string::size_type end = found.find('\n');
    return end == std::string::npos ? found : found.substr(0, end);
}

void PrivateDisplay::focus(const std::string& window) const
{
    xdotool("windowfocus --sync " + window);
}

void PrivateDisplay::press(const std::string& key) const
{
    xdotool("keydown " + key);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    xdotool("keyup " + key);
}
