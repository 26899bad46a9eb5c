#pragma once

#include <string>

// An X server of its own (Xvfb) for tests that send keys: X input goes to
// whichever window has the focus, so such tests must not share a server
// with other windows. Owns the Xvfb process, which ends with the object.
class PrivateDisplay
{
  public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool ready() const { return !name.empty(); }
    // ":N", for DISPLAY.
    const std::string& display() const { return name; }

    // The id of a window with exactly this title, "" when there is none.
    std::string findWindow(const std::string& title) const;
    void focus(const std::string& window) const;
    // Holds the key (an X key name such as "space") down for about 100 ms:
    // the game reads keys as held, once a frame.
    void press(const std::string& key) const;

  private:
    int server = -1;
    int numberPipe = -1;
    std::string name;

    std::string xdotool(const std::string& arguments) const;
};
