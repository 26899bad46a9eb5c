#include "Game/GLFW/GLFWPlatform.h"

#include "Game/FrameLimiter.h"
#include "Game/GLFW/GLFW27.h"
#include "Game/GLFWApp.h"
#include "Render/OGL/Controller.h"

namespace Game {

I_WindowApp* GLFWPlatform::createWindowApp(const char* title, int width, int height,
                                           bool fullscreen, unsigned long clearColor,
                                           bool clearWindow, float gameSpeed)
{
    // Read here, where the window's loop is made: only a real window rests.
    // Read first, so that a refused value throws before anything is made.
    const float frameLimit = FrameLimiter::fromSettings();
    auto* app = new GLFWApp(title, width, height, fullscreen, clearColor, clearWindow, gameSpeed);
    app->setFrameLimit(frameLimit);
    return app;
}

Render::I_RenderController* GLFWPlatform::createRenderController(const Render::ViewData& view)
{
    auto* controller = new OGL::Controller(view);
    controller->setSwapIntervalFunction(&GLFW27::glfwSwapInterval);
    return controller;
}

} // namespace Game
