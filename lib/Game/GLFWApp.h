#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Events/I_EventConsumer.h"
#include "Game/I_WindowApp.h"

namespace Game {

// The window application on GLFW: opens the one window and its OpenGL context, runs the frame
// loop (enter/leave, joypad, pre-update, update and render events each frame) and turns window
// input into events on the bus. GLFW's callbacks are plain functions, so the state they share
// lives in the file-level variables below; g_app reaches the one application object.
// Owns the window (through the GLFW layer), nothing else.
class GLFWApp : public I_WindowApp, public EVT::I_EventConsumer {
public:
    GLFWApp(const char* title, int width, int height, bool fullscreen, unsigned long clearColor,
            bool clearWindow, float gameSpeed);
    ~GLFWApp() override;

    GLFWApp(const GLFWApp&) = delete;
    GLFWApp& operator=(const GLFWApp&) = delete;

    // False when the window could not be opened (no display, no OpenGL context).
    bool initWindowApp() override;
    void run() override;
    void getAllowedSizes(std::vector<std::pair<int, int>>& sizes) override;
    void setSize(const std::pair<int, int>& size) override;
    double getTime() const override;
    void resetTime() override;
    void showWindow() override;
    void clearWindow(unsigned long colour) override;

    // Quit (1) ends the loop; set mouse (10) moves, shows or hides the cursor.
    void handleEvent(EVT::I_Event* event) override;

    float getGameSpeed() const { return gameSpeed; }
    // At most this many frames a second: the loop sleeps the rest of each
    // frame that ends early. 0 or less (the default) never sleeps.
    void setFrameLimit(float framesPerSecond);

private:
    void setMouse(int mode, int x, int y);

    // Scales real time into game time.
    float gameSpeed;
};

// The ordering of window sizes: by width, then by height.
struct ltWidthHeightPair {
    bool operator()(const std::pair<int, int>& a, const std::pair<int, int>& b) const
    {
        return a.first < b.first || (a.first == b.first && a.second < b.second);
    }
};

// The window size to use for a requested size: the desktop size for 0 by 0; a listed size as
// it is; the desktop size for an unlisted size in full screen, with no sizes listed, or when
// the request is wider or taller than every listed size; otherwise the request unchanged.
std::pair<int, int> chooseWindowSize(int width, int height, bool fullscreen,
                                     const std::vector<std::pair<int, int>>& allowed,
                                     const std::pair<int, int>& desktop);

// State shared with the window system's callbacks.
extern GLFWApp* g_app;
extern std::string g_windowTitle;
// For each key code, the modifier bits in force at its last press.
extern int s_keypressModifiers[256];
extern bool g_exitApp;
extern bool g_resetTime;
// Mouse events are raised only while this is set; it follows the window's active state.
extern bool g_mouseAtv;

// Wheel steps since the previous call.
int getWheelDiff();
// Raises a joypad event for each joystick found at the first call.
void checkJoysticks();
// Measures the frame's delta and raises pre-update, update and render.
void DrawFunc();

// The callbacks installed in the window system, in its 2.7 numbering.
void KeyFunc(int key, int action);
void MouseMotionFunc(int x, int y);
void MouseButtonFunc(int button, int action);
void MouseWheelFunc(int position);
void ReshapeFunc(int width, int height);
int WindowCloseFunc();

} // namespace Game
