#pragma once

#include <functional>
#include <string>

namespace TestSupport {

// Polls done() until it holds or about timeoutMs have passed, calling pump
// (when given) between tries, so that a window under test keeps reading
// its input meanwhile; the result of the last done().
bool waitUntil(const std::function<bool()>& done, int timeoutMs,
               const std::function<void()>& pump = {});

// An X server that tests drive with real input through xdotool: the one
// DISPLAY names, or one of its own (Xvfb) for tests that must not share
// theirs. X input goes to whichever window has the focus, so tests that
// send input either get a server of their own or are serialised. Owns the
// Xvfb process it started, which ends with the object. Every wait between
// tries calls the pump, when one is set.
class XServer {
public:
    enum Which { CURRENT, PRIVATE };

    explicit XServer(Which which = CURRENT, std::function<void()> pump = {});
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool ready() const { return !name.empty(); }
    // ":N", for DISPLAY.
    const std::string& display() const { return name; }

    // Runs "xdotool <arguments>" on this server; true when it succeeded.
    bool xdotool(const std::string& arguments) const;

    // The X id of a window with exactly this title, "" when none is found.
    // The search walks every window on the server, and another client's
    // window vanishing meanwhile fails the walk: so it is tried up to
    // `attempts` times, waiting a little longer each time.
    std::string findWindow(const std::string& title, int attempts = 10) const;
    // Gives the window with exactly this title the input focus and waits
    // until it has it. A window that is not mapped yet cannot take the
    // focus, and on a loaded machine the map can take a while: tried again
    // a few times.
    bool focus(const std::string& title) const;
    // Holds an X key ("space", "Escape", "shift") down for holdMs, then
    // releases it: the game reads keys as held, once a frame, so a press
    // and release inside one frame would not be seen.
    bool holdKey(const std::string& key, int holdMs = 100) const;
    // Writes the window's contents as an X window dump (xwd) to path.
    bool screenshot(const std::string& window, const std::string& path) const;

    void wait(int ms) const;

private:
    int server = -1;
    int numberPipe = -1;
    std::string name;
    std::function<void()> pump;

    void startXvfb();
    std::string tool(const std::string& command) const;
    std::string output(const std::string& command) const;
};

} // namespace TestSupport
