#include "Game/GameManager.h"

#include <limits>
#include <typeinfo>

#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Screen.h"
#include "Events/Event_Update.h"
#include "Game/TimerBase.h"
#include "Util/Abort.h"

namespace Game {

namespace {

// The event types the manager consumes, in the order it registers for them.
const int kConsumedTypes[] = {EVT::PAUSE,  EVT::RESUME,     EVT::SCREEN, EVT::PRE_UPDATE,
                              EVT::UPDATE, EVT::RENDER,     EVT::MOUSE,  EVT::JOYPAD,
                              EVT::KEY,    EVT::ENTER_LEAVE};

// The event as its record class (or a class derived from it), or null when the record is of
// another class. The record class itself, as the framework raises it twice every frame, is
// recognised by its type alone; only other classes pay for the checked downcast.
template <typename Record> Record* recordOf(EVT::I_Event* event)
{
    if (typeid(*event) == typeid(Record)) {
        return static_cast<Record*>(event);
    }
    return dynamic_cast<Record*>(event);
}

float frameIntervalFor(int frameRate)
{
    // No frame rate: an infinite interval, which no delta exceeds.
    if (frameRate == 0) {
        return std::numeric_limits<float>::infinity();
    }
    return 1000.0f / static_cast<float>(frameRate);
}

} // namespace

GameManager::GameManager(int baseWidth, int baseHeight, int frameRate, int maxFrameSkip)
    : windowApp(nullptr), renderController(nullptr), soundController(nullptr),
      logicController(nullptr), viewManager(nullptr), baseWidth(baseWidth == 0 ? 800 : baseWidth),
      baseHeight(baseHeight == 0 ? 600 : baseHeight), screenWidth(0), screenHeight(0),
      frameInterval(frameIntervalFor(frameRate)), maxFrameSkip(maxFrameSkip), lastDelta(0.0f),
      skippedFrames(0)
{
    viewManager = new ViewManager();
    EVT::EventBus& bus = EVT::EventBus::instance();
    for (int type : kConsumedTypes) {
        bus.addConsumer(type, this);
    }
}

GameManager::~GameManager()
{
    delete viewManager;
}

void GameManager::getScreenSize(int& width, int& height) const
{
    viewManager->getScreenSize(width, height);
}

void GameManager::getScreenScale(float& scaleX, float& scaleY) const
{
    scaleX = static_cast<float>(screenWidth) / static_cast<float>(baseWidth);
    scaleY = static_cast<float>(screenHeight) / static_cast<float>(baseHeight);
}

double GameManager::getTime() const
{
    return windowApp->getTime();
}

void GameManager::resetTime()
{
    windowApp->resetTime();
}

void GameManager::addScreenWatcher(I_ScreenWatcher* watcher)
{
    if (watcher && screenWatchers.add(watcher)) {
        watcher->onScreenSize(screenWidth, screenHeight);
    }
}

void GameManager::removeScreenWatcher(I_ScreenWatcher* watcher)
{
    screenWatchers.remove(watcher);
}

void GameManager::addGameUpdated(I_GameUpdated* listener)
{
    if (listener) {
        updateListeners.add(listener);
    }
}

void GameManager::removeGameUpdated(I_GameUpdated* listener)
{
    updateListeners.remove(listener);
}

void GameManager::run()
{
    // Without a usable window there is nothing to draw into; stopping here is clearer than
    // failing somewhere inside the first frame.
    if (windowApp == nullptr || !windowApp->initWindowApp()) {
        ABORT("Failed to init window");
    }
    if (renderController) {
        renderController->init();
    }
    windowApp->run();
}

void GameManager::shutdown()
{
    EVT::EventBus::instance().raiseEvent(EVT::QUIT, true);
}

// Records that do not match their type number (a generic event raised with an update's number,
// say) carry no payload to use and are ignored.
void GameManager::handleEvent(EVT::I_Event* event)
{
    switch (event->type) {
    case EVT::PAUSE:
        setPause(true);
        break;
    case EVT::RESUME:
        setPause(false);
        break;
    case EVT::UPDATE:
        if (auto* update = recordOf<EVT::Event_Update>(event)) {
            onUpdate(update->delta);
        }
        break;
    case EVT::PRE_UPDATE:
        if (auto* preUpdate = recordOf<EVT::Event_PreUpdate>(event)) {
            lastDelta = preUpdate->delta;
            viewManager->preUpdate(lastDelta);
        }
        break;
    case EVT::RENDER:
        onRender();
        break;
    case EVT::SCREEN:
        if (auto* screen = recordOf<EVT::Event_Screen>(event)) {
            onScreen(screen->width, screen->height);
        }
        break;
    case EVT::MOUSE:
    case EVT::ENTER_LEAVE:
    case EVT::KEY:
    case EVT::JOYPAD:
        viewManager->onInput(event);
        break;
    default:
        break;
    }
}

void GameManager::setPause(bool paused)
{
    TimerBase::setPause(paused);
    viewManager->setPause(paused);
    if (logicController) {
        logicController->setPause(paused);
    }
}

void GameManager::onUpdate(float delta)
{
    lastDelta = delta;
    TimerBase::onUpdate(lastDelta);
    updateListeners.forEach(
        [this](I_GameUpdated* listener) { listener->onGameUpdated(lastDelta); });
    if (logicController) {
        logicController->onUpdate(lastDelta);
    }
    viewManager->onUpdate(lastDelta);
}

// A frame that took longer than the target is not drawn, up to maxFrameSkip in a row, so the
// updates can catch up; the frame after that many skips is always drawn.
void GameManager::onRender()
{
    if (frameInterval != 0.0f && skippedFrames < maxFrameSkip && lastDelta > frameInterval) {
        ++skippedFrames;
        return;
    }
    if (windowApp->getClearWindow()) {
        windowApp->clearWindow(windowApp->getClearColor());
    }
    viewManager->onRender();
    windowApp->showWindow();
    skippedFrames = 0;
}

void GameManager::onScreen(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
    viewManager->setScreenSize(width, height);
    screenWatchers.forEach(
        [width, height](I_ScreenWatcher* watcher) { watcher->onScreenSize(width, height); });
}

} // namespace Game
