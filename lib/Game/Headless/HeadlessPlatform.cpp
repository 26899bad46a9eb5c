#include "Game/Headless/HeadlessPlatform.h"

#include "Render/Headless/HeadlessRenderController.h"

namespace Game {

HeadlessPlatform::HeadlessPlatform(double frameSeconds, std::vector<HeadlessApp::Input> script,
                                   int frameLimit, Inspector inspector)
    : frameSeconds(frameSeconds), script(std::move(script)), frameLimit(frameLimit),
      inspector(std::move(inspector)), app(nullptr), framesRun(0), limitReached(false)
{
}

I_WindowApp* HeadlessPlatform::createWindowApp(const char*, int width, int height, bool,
                                               unsigned long clearColor, bool clearWindow,
                                               float gameSpeed)
{
    app = new HeadlessApp(width, height, clearColor, clearWindow, gameSpeed, frameSeconds, script,
                          frameLimit, renderEvents);
    return app;
}

Render::I_RenderController* HeadlessPlatform::createRenderController(const Render::ViewData& view)
{
    return new HeadlessRenderController(view);
}

void HeadlessPlatform::loopEnded(GameManager& manager)
{
    // The app is still alive here: start-up destroys it only after this.
    if (app != nullptr) {
        framesRun = app->getFramesRun();
        limitReached = app->reachedFrameLimit();
    }
    if (inspector) {
        inspector(manager);
    }
    app = nullptr;
}

} // namespace Game
