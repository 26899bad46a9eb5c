#pragma once

namespace Render {
class I_RenderController;
struct ViewData;
} // namespace Render

namespace Game {

class GameManager;
class I_WindowApp;

// Makes what the start-up routine builds a game on: the window application
// and the render controller. The game itself runs on GLFW and OpenGL;
// tests run the same start-up on a headless pair. Whatever it makes is
// owned by the caller.
class I_Platform {
public:
    virtual ~I_Platform() {}

    virtual I_WindowApp* createWindowApp(const char* title, int width, int height, bool fullscreen,
                                         unsigned long clearColor, bool clearWindow,
                                         float gameSpeed) = 0;
    virtual Render::I_RenderController* createRenderController(const Render::ViewData& view) = 0;

    // Called once the main loop has returned, before anything is torn
    // down: the game is still as the loop left it.
    virtual void loopEnded(GameManager&) {}
};

} // namespace Game
