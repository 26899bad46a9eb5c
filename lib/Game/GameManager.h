#pragma once

#include "Events/I_EventConsumer.h"
#include "Game/I_GameUpdated.h"
#include "Game/I_LogicController.h"
#include "Game/I_ScreenWatcher.h"
#include "Game/I_WindowApp.h"
#include "Game/ListenerList.h"
#include "Game/ViewManager.h"
#include "Render/I_RenderController.h"
#include "Sound/I_SoundController.h"

namespace Game {

// The application core. Once run() has handed control to the window application's loop, it
// works only as an event consumer: each frame's pre-update, update and render events become
// calls on the timers, update listeners, logic controller and views in a fixed order; it
// skips drawing to catch up, forwards input to the views, tracks the window size and pauses
// everything together. Owns the view manager; the window application, render, sound and
// logic controllers and the listeners are only used.
class GameManager : public EVT::I_EventConsumer {
public:
    // A base size of 0 means 800 by 600; a frame rate of 0 means drawing is never skipped.
    GameManager(int baseWidth, int baseHeight, int frameRate, int maxFrameSkip);
    ~GameManager() override;

    GameManager(const GameManager&) = delete;
    GameManager& operator=(const GameManager&) = delete;

    void handleEvent(EVT::I_Event* event) override;

    void setWindowApp(I_WindowApp* app) { windowApp = app; }
    void setRenderController(Render::I_RenderController* controller)
    {
        renderController = controller;
    }
    void setSoundController(Sound::I_SoundController* controller) { soundController = controller; }
    void setLogicController(I_LogicController* controller) { logicController = controller; }

    I_WindowApp* getWindowApp() const { return windowApp; }
    Render::I_RenderController* getRenderController() const { return renderController; }
    Sound::I_SoundController* getSoundController() const { return soundController; }
    I_LogicController* getLogicController() const { return logicController; }
    ViewManager* getViewManager() const { return viewManager; }
    int getBaseWidth() const { return baseWidth; }
    int getBaseHeight() const { return baseHeight; }

    // The window size as the views know it.
    void getScreenSize(int& width, int& height) const;
    // Window size over design size; 0 by 0 before the first screen event.
    void getScreenScale(float& scaleX, float& scaleY) const;
    // Seconds, from the window application.
    double getTime() const;
    // The next frame's delta will be 0.
    void resetTime();

    // Added watchers are told the current size at once; adding one twice does nothing.
    void addScreenWatcher(I_ScreenWatcher* watcher);
    void removeScreenWatcher(I_ScreenWatcher* watcher);
    void addGameUpdated(I_GameUpdated* listener);
    void removeGameUpdated(I_GameUpdated* listener);

    // Opens the window application (or ends the program with an ABORT when it cannot),
    // initialises the render controller and runs the frame loop until the game quits.
    void run();
    // Quits at the end of the current frame, after the delivery in progress has finished.
    void shutdown();

private:
    void setPause(bool paused);
    void onUpdate(float delta);
    void onRender();
    void onScreen(int width, int height);

    I_WindowApp* windowApp;
    Render::I_RenderController* renderController;
    Sound::I_SoundController* soundController;
    I_LogicController* logicController;
    ViewManager* viewManager;
    ListenerList<I_ScreenWatcher> screenWatchers;
    ListenerList<I_GameUpdated> updateListeners;
    int baseWidth;
    int baseHeight;
    int screenWidth;
    int screenHeight;
    // Target time of one frame in milliseconds.
    float frameInterval;
    // The most renders skipped in a row.
    int maxFrameSkip;
    // Delta of the latest update or pre-update, in game milliseconds.
    float lastDelta;
    // Renders skipped in a row so far.
    int skippedFrames;
};

} // namespace Game
