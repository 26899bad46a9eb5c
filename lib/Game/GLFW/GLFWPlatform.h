#pragma once

#include "Game/I_Platform.h"

namespace Game {

// What a game runs on for real: a GLFW window application and the OpenGL
// render controller. Owns nothing it makes.
class GLFWPlatform : public I_Platform {
public:
    I_WindowApp* createWindowApp(const char* title, int width, int height, bool fullscreen,
                                 unsigned long clearColor, bool clearWindow,
                                 float gameSpeed) override;
    Render::I_RenderController* createRenderController(const Render::ViewData& view) override;
};

} // namespace Game
