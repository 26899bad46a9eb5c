#include "Game/GLFWPlatform.h"

#include "Game/GLFW27.h"
#include "Game/GLFWApp.h"
#include "Render/OGL/Controller.h"

namespace Game {

I_WindowApp* GLFWPlatform::createWindowApp(const char* title, int width, int height,
                                           bool fullscreen, unsigned long clearColor,
                                           bool clearWindow, float gameSpeed)
{
    return new GLFWApp(title, width, height, fullscreen, clearColor, clearWindow, gameSpeed);
}

Render::I_RenderController* GLFWPlatform::createRenderController(const Render::ViewData& view)
{
    auto* controller = new OGL::Controller(view);
    controller->setSwapIntervalFunction(&GLFW27::glfwSwapInterval);
    return controller;
}

} // namespace Game
