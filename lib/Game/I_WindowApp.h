#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace Game {

// The window application as the game manager sees it: it opens the window, runs the frame
// loop, measures time and presents frames. It also carries the colour the game manager clears
// the window to and whether it clears at all.
class I_WindowApp {
public:
    I_WindowApp() : clearColor(0), clearWindowFlag(false) {}
    virtual ~I_WindowApp() {}

    // Prepares input and registrations; false when the window cannot be used.
    virtual bool initWindowApp() = 0;
    // Runs the frame loop until the game quits.
    virtual void run() = 0;
    // Replaces sizes with the window sizes the display offers.
    virtual void getAllowedSizes(std::vector<std::pair<int, int>>& sizes) = 0;
    virtual void setSize(const std::pair<int, int>& size) = 0;
    // Seconds since the window system was initialised.
    virtual double getTime() const = 0;
    // Makes the next frame's delta 0.
    virtual void resetTime() = 0;
    // Presents the frame (the buffer swap).
    virtual void showWindow() = 0;
    // Clears colour and depth to colour, given as 0xRRGGBBAA.
    virtual void clearWindow(unsigned long colour) = 0;

    virtual void setClearColor(unsigned long colour) { clearColor = static_cast<uint32_t>(colour); }
    virtual void setClearWindow(bool clear) { clearWindowFlag = clear; }

    uint32_t getClearColor() const { return clearColor; }
    bool getClearWindow() const { return clearWindowFlag; }

protected:
    // The colour the window is cleared to, 0xRRGGBBAA.
    uint32_t clearColor;
    // Whether the game manager clears the window before drawing. (Named apart from the
    // clearWindow operation, which C++ does not let share its name with a data member.)
    bool clearWindowFlag;
};

} // namespace Game
