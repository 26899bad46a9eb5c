#include "Game/Headless/HeadlessApp.h"

#include <algorithm>

#include "Devices/Devices.h"
#include "Events/Event.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Events/Event_Screen.h"
#include "Game/FrameSequence.h"

namespace Game {

HeadlessApp::HeadlessApp(int width, int height, unsigned long clearColor, bool clearWindow,
                         float gameSpeed, double frameSeconds, std::vector<Input> script,
                         int frameLimit, bool render)
    : gameSpeed(gameSpeed), frameSeconds(frameSeconds), script(std::move(script)), nextInput(0),
      frameLimit(frameLimit), framesRun(0), size(width, height), exitApp(false),
      resetPending(false), limitReached(false), render(render)
{
    setClearColor(clearColor);
    setClearWindow(clearWindow);
    // Stable: inputs of one frame keep the order they were given in.
    std::stable_sort(this->script.begin(), this->script.end(),
                     [](const Input& a, const Input& b) { return a.frame < b.frame; });
    setSize(size);
}

HeadlessApp::~HeadlessApp() {}

bool HeadlessApp::initWindowApp()
{
    EVT::EventBus::instance().addConsumer(EVT::QUIT, this);
    return true;
}

void HeadlessApp::run()
{
    FrameSequence(*this).run();
}

bool HeadlessApp::frameLoopDone()
{
    if (exitApp) {
        return true;
    }
    limitReached = framesRun >= frameLimit;
    return limitReached;
}

float HeadlessApp::frameDelta()
{
    const float delta = resetPending ? 0.0f : static_cast<float>(frameSeconds * 1000.0 * gameSpeed);
    resetPending = false;
    return delta;
}

bool HeadlessApp::beginRender()
{
    return render;
}

// Without a render event there is no swap to bring the input.
void HeadlessApp::endRender(bool rendered)
{
    if (!rendered) {
        raiseInput(framesRun);
    }
}

void HeadlessApp::endFrame()
{
    ++framesRun;
}

void HeadlessApp::raiseInput(int frame)
{
    EVT::EventBus& bus = EVT::EventBus::instance();
    // Inputs scheduled for frames already past (before the loop started)
    // come with the first frame rather than never.
    while (nextInput < script.size() && script[nextInput].frame <= frame) {
        const Input& input = script[nextInput++];
        Devices::Joypad* joypad = Devices::getJoypad();
        if (input.kind == Input::CLOSE) {
            bus.raiseEvent(EVT::QUIT, false);
        } else if (input.kind == Input::PAD_BUTTON) {
            if (joypad != nullptr) {
                joypad->setButton(input.pad, input.key, input.pressed);
            }
        } else if (input.kind == Input::PAD_AXIS) {
            if (joypad != nullptr) {
                joypad->setAxis(input.pad, input.key, input.value);
            }
        } else {
            EVT::Event_Key key(input.key, input.pressed, input.modifiers);
            bus.raiseEvent(&key, false);
        }
    }
}

void HeadlessApp::getAllowedSizes(std::vector<std::pair<int, int>>& sizes)
{
    sizes.assign(1, size);
}

void HeadlessApp::setSize(const std::pair<int, int>& newSize)
{
    size = newSize;
    EVT::Event_Screen event(size.first == 0 ? 1 : size.first, size.second == 0 ? 1 : size.second);
    EVT::EventBus::instance().raiseEvent(&event, false);
}

double HeadlessApp::getTime() const
{
    return framesRun * frameSeconds;
}

void HeadlessApp::resetTime()
{
    resetPending = true;
}

void HeadlessApp::showWindow()
{
    if (render) {
        raiseInput(framesRun);
    }
}

void HeadlessApp::clearWindow(unsigned long) {}

void HeadlessApp::handleEvent(EVT::I_Event* event)
{
    if (event != nullptr && event->type == EVT::QUIT) {
        exitApp = true;
    }
}

} // namespace Game
