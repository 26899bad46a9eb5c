#include "Game/GLFWApp.h"

#include <GL/glew.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <set>
#include <thread>

#include "Events/Event.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_EnterLeave.h"
#include "Events/Event_Joypad.h"
#include "Events/Event_Key.h"
#include "Events/Event_Mouse.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Screen.h"
#include "Events/Event_SetMouse.h"
#include "Events/Event_Update.h"
#include "Game/FrameLimiter.h"
#include "Game/FrameSequence.h"
#include "Devices/Devices.h"
#include "Game/GLFW/GLFW27.h"
#include "Game/GLFW/GLFW27Gamepads.h"
#include "Game/I_FrameBackend.h"

using namespace GLFW27;

namespace Game {

GLFWApp* g_app = nullptr;
std::string g_windowTitle;
int s_keypressModifiers[256] = {};
bool g_exitApp = false;
bool g_resetTime = false;
bool g_mouseAtv = true;

namespace {

// Every event of the loop and of the callbacks is delivered at once, never queued.
void raise(EVT::I_Event& event)
{
    EVT::EventBus::instance().raiseEvent(&event, false);
}

void raiseScreen(int width, int height)
{
    EVT::Event_Screen event(width == 0 ? 1 : width, height == 0 ? 1 : height);
    raise(event);
}

// The program's key code for a 2.7 key number; 0 for a key that raises nothing.
int keyCode(int key)
{
    if (key >= 0 && key < 256) {
        return std::tolower(key);
    }
    if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9) {
        return 128 + (key - GLFW_KEY_KP_0);
    }
    if (key >= GLFW_KEY_KP_DIVIDE && key <= GLFW_KEY_KP_ENTER) {
        return 138 + (key - GLFW_KEY_KP_DIVIDE);
    }
    switch (key) {
    case GLFW_KEY_ESC:
        return 27;
    case GLFW_KEY_UP:
        return 6;
    case GLFW_KEY_DOWN:
        return 7;
    case GLFW_KEY_LEFT:
        return 4;
    case GLFW_KEY_RIGHT:
        return 5;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_PAGEUP: // shares ENTER's code; the key tables have no code of its own
        return 13;
    case GLFW_KEY_BACKSPACE:
        return 11;
    case GLFW_KEY_INSERT:
        return 10;
    case GLFW_KEY_DEL:
        return 12;
    case GLFW_KEY_PAGEDOWN:
        return 14;
    case GLFW_KEY_HOME:
        return 8;
    case GLFW_KEY_END:
        return 9;
    default:
        return 0;
    }
}

// Held modifiers, as the keys are now. (Sticky keys would report a modifier released since
// its last query as still down, and so give a later key a modifier that was not held.)
int modifierBits()
{
    int bits = 0;
    if (isKeyDown(GLFW_KEY_LSHIFT) || isKeyDown(GLFW_KEY_RSHIFT)) {
        bits |= 1;
    }
    if (isKeyDown(GLFW_KEY_LALT) || isKeyDown(GLFW_KEY_RALT)) {
        bits |= 2;
    }
    if (isKeyDown(GLFW_KEY_LCTRL) || isKeyDown(GLFW_KEY_RCTRL)) {
        bits |= 4;
    }
    return bits;
}

// The window system's part of each frame. One for the process, as the window is one.
class WindowFrames : public I_FrameBackend {
public:
    bool frameLoopDone() override { return g_exitApp; }

    void pollFocus() override
    {
        const bool nowActive = glfwGetWindowParam(GLFW_ACTIVE) == 1;
        if (nowActive != active) {
            active = nowActive;
            g_mouseAtv = active;
            EVT::Event_EnterLeave event(active);
            raise(event);
        }
    }

    void pollJoysticks() override
    {
        checkJoysticks();
        // Gamepads are read only once a game has installed the joypad device.
        if (Devices::getJoypad() != nullptr) {
            GLFW27::readGamepads(*Devices::getJoypad());
        }
    }

    float frameDelta() override
    {
        const double now = glfwGetTime();
        if (g_resetTime) {
            g_resetTime = false;
            lastCount = now;
        }
        const float speed = g_app ? g_app->getGameSpeed() : 1.0f;
        // Game time keeps the rest, in an update of its own, so that the
        // frame's delta (which the frame-skip rule judges) holds only the
        // time the frame worked.
        const double rested = limiter.takeRested(now - lastCount);
        if (rested > 0) {
            raiseUpdate(static_cast<float>(rested * 1000.0 * speed));
        }
        const float delta = static_cast<float>((now - lastCount - rested) * 1000.0 * speed);
        lastCount = now;
        return delta;
    }

    // The views draw in the matrix state they found.
    bool beginRender() override
    {
        glPushMatrix();
        return true;
    }
    void endRender(bool) override { glPopMatrix(); }

    // With a frame limit, sleeps what is left of the frame's share.
    void endFrame() override
    {
        if (!limiter.isOn()) {
            return;
        }
        const double now = glfwGetTime();
        const double rest = limiter.restAfterFrame(now);
        if (rest > 0) {
            std::this_thread::sleep_for(std::chrono::duration<double>(rest));
            limiter.noteRested(glfwGetTime() - now);
        }
    }

    // Whether the window was active at the last look.
    bool active = false;
    // Off until the application is given a frame limit.
    FrameLimiter limiter{0.0f};

private:
    static void raiseUpdate(float delta)
    {
        EVT::Event_PreUpdate preUpdate(delta);
        raise(preUpdate);
        EVT::Event_Update update(delta);
        raise(update);
    }

    double lastCount = 0.0;
};

WindowFrames& windowFrames()
{
    static WindowFrames frames;
    return frames;
}

std::pair<int, int> desktopSize()
{
    GLFWvidmode mode{};
    glfwGetDesktopMode(&mode);
    return std::make_pair(mode.Width, mode.Height);
}

} // namespace

std::pair<int, int> chooseWindowSize(int width, int height, bool fullscreen,
                                     const std::vector<std::pair<int, int>>& allowed,
                                     const std::pair<int, int>& desktop)
{
    const std::pair<int, int> requested(width, height);
    if (width == 0 && height == 0) {
        return desktop;
    }
    if (std::find(allowed.begin(), allowed.end(), requested) != allowed.end()) {
        return requested;
    }
    const bool allNarrower = std::all_of(allowed.begin(), allowed.end(),
                                         [&](const auto& size) { return size.first < width; });
    const bool allLower = std::all_of(allowed.begin(), allowed.end(),
                                      [&](const auto& size) { return size.second < height; });
    if (fullscreen || allowed.empty() || allNarrower || allLower) {
        return desktop;
    }
    return requested;
}

GLFWApp::GLFWApp(const char* title, int width, int height, bool fullscreen,
                 unsigned long clearColor, bool clearWindow, float gameSpeed)
    : gameSpeed(gameSpeed)
{
    setClearColor(clearColor);
    setClearWindow(clearWindow);
    g_app = this;

    // Whether this worked is what initWindowApp reports; every later call on a window that
    // is not open does nothing.
    glfwInit();
    glfwOpenWindow(width, height, 0, 0, 0, 0, 24, 0, fullscreen ? GLFW_FULLSCREEN : GLFW_WINDOW);

    glfwSetWindowCloseCallback(WindowCloseFunc);
    glfwSetWindowTitle(title ? title : "");
    g_windowTitle = title ? title : "";
    std::fill(std::begin(s_keypressModifiers), std::end(s_keypressModifiers), 0);

    std::pair<int, int> size = desktopSize();
    if (width != 0 || height != 0) {
        std::vector<std::pair<int, int>> allowed;
        getAllowedSizes(allowed);
        size = chooseWindowSize(width, height, fullscreen, allowed, size);
    }
    setSize(size);
    glfwEnable(GLFW_MOUSE_CURSOR);
    raiseScreen(size.first, size.second);
}

GLFWApp::~GLFWApp()
{
    g_app = nullptr;
    glfwTerminate();
}

bool GLFWApp::initWindowApp()
{
    // A window that never opened cannot be drawn into: report it rather than carry on.
    if (glfwGetWindowParam(GLFW_OPENED) != 1) {
        return false;
    }
    glfwSetWindowSizeCallback(ReshapeFunc);
    glfwEnable(GLFW_STICKY_KEYS);
    glfwDisable(GLFW_KEY_REPEAT);
    glfwSetKeyCallback(KeyFunc);
    glfwSetMousePosCallback(MouseMotionFunc);
    glfwSetMouseButtonCallback(MouseButtonFunc);
    glfwSetMouseWheelCallback(MouseWheelFunc);
    g_mouseAtv = true;
    EVT::EventBus& bus = EVT::EventBus::instance();
    bus.addConsumer(EVT::QUIT, this);
    bus.addConsumer(EVT::SET_MOUSE, this);
    return true;
}

void GLFWApp::setFrameLimit(float framesPerSecond)
{
    windowFrames().limiter = FrameLimiter(framesPerSecond);
}

void GLFWApp::run()
{
    windowFrames().active = glfwGetWindowParam(GLFW_ACTIVE) == 1;
    FrameSequence(windowFrames()).run();
    glfwSetKeyCallback(nullptr);
    glfwSetMousePosCallback(nullptr);
    glfwSetMouseButtonCallback(nullptr);
}

void GLFWApp::getAllowedSizes(std::vector<std::pair<int, int>>& sizes)
{
    std::vector<GLFWvidmode> modes(1000, GLFWvidmode{});
    glfwGetVideoModes(modes.data(), static_cast<int>(modes.size()));
    std::set<std::pair<int, int>, ltWidthHeightPair> unique;
    for (const GLFWvidmode& mode : modes) {
        if (mode.Width == 0) {
            break;
        }
        unique.insert(std::make_pair(mode.Width, mode.Height));
    }
    sizes.assign(unique.begin(), unique.end());
}

void GLFWApp::setSize(const std::pair<int, int>& size)
{
    glfwSetWindowSize(size.first, size.second);
    raiseScreen(size.first, size.second);
}

double GLFWApp::getTime() const
{
    return glfwGetTime();
}

void GLFWApp::resetTime()
{
    g_resetTime = true;
}

void GLFWApp::showWindow()
{
    glfwSwapBuffers();
}

void GLFWApp::clearWindow(unsigned long colour)
{
    const float red = ((colour >> 24) & 0xFF) / 255.0f;
    const float green = ((colour >> 16) & 0xFF) / 255.0f;
    const float blue = ((colour >> 8) & 0xFF) / 255.0f;
    const float alpha = (colour & 0xFF) / 255.0f;
    glClearColor(red, green, blue, alpha);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GLFWApp::handleEvent(EVT::I_Event* event)
{
    if (event->type == EVT::QUIT) {
        g_exitApp = true;
    } else if (event->type == EVT::SET_MOUSE) {
        if (auto* request = dynamic_cast<EVT::Event_SetMouse*>(event)) {
            setMouse(request->getMode(), request->getX(), request->getY());
        }
    }
}

// The motion callback is off while the cursor is placed, so placing it raises no motion.
void GLFWApp::setMouse(int mode, int x, int y)
{
    glfwSetMousePosCallback(nullptr);
    const bool placed = x != -1 && y != -1;
    if (mode == 1) {
        glfwEnable(GLFW_MOUSE_CURSOR);
        if (placed) {
            glfwSetMousePos(x, y);
        }
    } else if (mode == 2) {
        if (placed) {
            glfwSetMousePos(x, y);
        }
        glfwDisable(GLFW_MOUSE_CURSOR);
    } else {
        glfwSetMousePos(x, y);
    }
    glfwSetMousePosCallback(MouseMotionFunc);
}

int getWheelDiff()
{
    static int g_prevWheelPos = 0;
    const int position = glfwGetMouseWheel();
    const int diff = position - g_prevWheelPos;
    g_prevWheelPos = position;
    return diff;
}

void checkJoysticks()
{
    static std::vector<int> l_joysticks;
    static bool l_lookedForJoysticks = false;
    if (!l_lookedForJoysticks) {
        l_lookedForJoysticks = true;
        for (int joy = GLFW_JOYSTICK_1; joy <= GLFW_JOYSTICK_LAST; ++joy) {
            if (glfwGetJoystickParam(joy, GLFW_PRESENT) == 1) {
                l_joysticks.push_back(joy);
            }
        }
    }
    for (int joy : l_joysticks) {
        float axes[2] = {0.0f, 0.0f};
        if (glfwGetJoystickPos(joy, axes, 2) == 0) {
            axes[0] = axes[1] = 0.0f;
        }
        // Buttons the joystick does not have read as released.
        unsigned char buttons[4] = {GLFW_RELEASE, GLFW_RELEASE, GLFW_RELEASE, GLFW_RELEASE};
        glfwGetJoystickButtons(joy, buttons, 4);
        EVT::Event_Joypad event(joy, static_cast<int>(axes[0]), static_cast<int>(axes[1]),
                                buttons[0] == GLFW_PRESS, buttons[1] == GLFW_PRESS,
                                buttons[2] == GLFW_PRESS, buttons[3] == GLFW_PRESS);
        raise(event);
    }
}

void DrawFunc()
{
    FrameSequence(windowFrames()).updateAndRender();
}

void KeyFunc(int key, int action)
{
    const int code = keyCode(key);
    if (code == 0) {
        return;
    }
    const bool pressed = action == GLFW_PRESS;
    if (pressed) {
        s_keypressModifiers[code] = modifierBits();
    }
    EVT::Event_Key event(static_cast<unsigned char>(code), pressed, s_keypressModifiers[code]);
    raise(event);
}

void MouseMotionFunc(int x, int y)
{
    if (!g_mouseAtv) {
        return;
    }
    EVT::Event_Mouse event(x, y, 0, 0, false);
    raise(event);
}

void MouseButtonFunc(int button, int action)
{
    if (!g_mouseAtv) {
        return;
    }
    int x = 0;
    int y = 0;
    glfwGetMousePos(&x, &y);
    const int buttonBit = button >= 0 && button <= 2 ? 1 << button : 0;
    EVT::Event_Mouse event(x, y, 0, buttonBit, action != GLFW_RELEASE);
    raise(event);
}

void MouseWheelFunc(int)
{
    if (!g_mouseAtv) {
        return;
    }
    int x = 0;
    int y = 0;
    glfwGetMousePos(&x, &y);
    EVT::Event_Mouse event(x, y, getWheelDiff(), 0, false);
    raise(event);
}

void ReshapeFunc(int width, int height)
{
    raiseScreen(width, height);
}

int WindowCloseFunc()
{
    EVT::Event quit(EVT::QUIT);
    raise(quit);
    return GL_TRUE;
}

} // namespace Game
