#include "Game/GLFW/GLFWPlatform.h"

#include "CFG/CFG.h"
#include "CFG/SettingNumber.h"
#include "Game/GLFW/GLFW27.h"
#include "Game/GLFWApp.h"
#include "Render/OGL/Controller.h"

namespace Game {

I_WindowApp* GLFWPlatform::createWindowApp(const char* title, int width, int height,
                                           bool fullscreen, unsigned long clearColor,
                                           bool clearWindow, float gameSpeed)
{
    // Read here, where the window's loop is made: only a real window rests.
    // Read first, so that a value that is no number throws before anything
    // is made.
    const std::string limitText = CFG::get("FRAME_LIMIT");
    const float frameLimit = CFG::SettingNumber::read<float>("FRAME_LIMIT", limitText);
    // Under one frame a second the window would answer its keys only that
    // seldom (Escape after minutes): refused rather than obeyed.
    if (frameLimit > 0 && frameLimit < 1) {
        CFG::SettingNumber::outOfRange("FRAME_LIMIT", limitText + " (0, or 1 and more)", 0);
    }
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
