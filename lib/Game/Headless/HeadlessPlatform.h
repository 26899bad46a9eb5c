#pragma once

#include <functional>
#include <vector>

#include "Game/Headless/HeadlessApp.h"
#include "Game/I_Platform.h"

namespace Game {

// Runs a game's start-up without a display: makes a HeadlessApp with the
// given frame time, input script and frame limit, rendering every frame
// unless switched off, and a HeadlessRenderController. When the loop has ended it notes how it
// ended and hands the game manager to the inspector, if one is given, while the game is still
// whole. Owns its script and inspector, not what it makes.
class HeadlessPlatform : public I_Platform {
public:
    using Inspector = std::function<void(GameManager&)>;

    HeadlessPlatform(double frameSeconds, std::vector<HeadlessApp::Input> script, int frameLimit,
                     Inspector inspector = Inspector());

    I_WindowApp* createWindowApp(const char* title, int width, int height, bool fullscreen,
                                 unsigned long clearColor, bool clearWindow,
                                 float gameSpeed) override;
    Render::I_RenderController* createRenderController(const Render::ViewData& view) override;
    void loopEnded(GameManager& manager) override;

    // Off: the app raises no render event, so no view draws (for measuring
    // a game's frames without its drawing). On by default; takes effect
    // for the next window application made.
    void setRenderEvents(bool on) { renderEvents = on; }

    // How the last loop ended: its number of frames, and whether the frame
    // limit rather than the quit event ended it.
    int getFramesRun() const { return framesRun; }
    bool reachedFrameLimit() const { return limitReached; }

private:
    double frameSeconds;
    std::vector<HeadlessApp::Input> script;
    int frameLimit;
    Inspector inspector;
    HeadlessApp* app;
    int framesRun;
    bool limitReached;
    bool renderEvents = true;
};

} // namespace Game
