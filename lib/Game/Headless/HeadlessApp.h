#pragma once

#include <utility>
#include <vector>

#include "Events/I_EventConsumer.h"
#include "Game/I_FrameBackend.h"
#include "Game/I_WindowApp.h"

namespace Game {

// A window application without a window, so that a whole game runs in
// tests, deterministically and without a display. Its frame loop is the
// real one (FrameSequence) with a fixed frame time, and its input comes
// from a script of key events, close requests and gamepad input at given frames, raised
// as the real window application raises them. With rendering on, each
// frame raises the render event, so the views draw (on a render controller
// without a display, such as HeadlessRenderController), and the frame's
// input arrives in the buffer swap, as a window's does: a frame whose
// drawing the game manager skips collects none, and the next drawn frame
// brings it. With rendering off, no render event is raised and the input
// comes where the render event would be. Owns its script.
class HeadlessApp : public I_WindowApp, public EVT::I_EventConsumer, private I_FrameBackend {
public:
    // One scripted input, raised in the buffer swap of its frame (or, with
    // rendering off, after the frame's update).
    struct Input {
        enum Kind { KEY, CLOSE, PAD_BUTTON, PAD_AXIS };
        int frame;
        Kind kind;
        unsigned char key; // for a pad: the button or axis
        bool pressed;
        int modifiers;
        // A pad's number and an axis value, for the pad inputs.
        int pad = 0;
        float value = 0.0f;

        static Input keyDown(int frame, unsigned char key) { return {frame, KEY, key, true, 0}; }
        static Input keyUp(int frame, unsigned char key) { return {frame, KEY, key, false, 0}; }
        // A close request as the window manager sends it: the quit event.
        static Input close(int frame) { return {frame, CLOSE, 0, false, 0}; }
        // A gamepad's button or axis (Devices::Joypad's numbers), written into the installed
        // joypad device, if any, where the frame's input comes.
        static Input padButton(int frame, int pad, int button, bool down)
        {
            return {frame, PAD_BUTTON, static_cast<unsigned char>(button), down, 0, pad, 0.0f};
        }
        static Input padAxis(int frame, int pad, int axis, float value)
        {
            return {frame, PAD_AXIS, static_cast<unsigned char>(axis), false, 0, pad, value};
        }
    };

    // frameSeconds is the real time of every frame; frames are game time
    // frameSeconds * 1000 * gameSpeed milliseconds long. The loop ends on
    // the quit event or, failing that, after frameLimit frames. Raises a
    // screen event with the size (0 replaced by 1), as the real one does.
    // render switches the render event on.
    HeadlessApp(int width, int height, unsigned long clearColor, bool clearWindow, float gameSpeed,
                double frameSeconds, std::vector<Input> script, int frameLimit,
                bool render = false);
    ~HeadlessApp() override;
    HeadlessApp(const HeadlessApp&) = delete;
    HeadlessApp& operator=(const HeadlessApp&) = delete;

    // Registers for the quit event; always true.
    bool initWindowApp() override;
    void run() override;
    // The one size it was given.
    void getAllowedSizes(std::vector<std::pair<int, int>>& sizes) override;
    void setSize(const std::pair<int, int>& size) override;
    // Frames run times frameSeconds.
    double getTime() const override;
    void resetTime() override;
    // Delivers the frame's scripted input when rendering is on.
    void showWindow() override;
    void clearWindow(unsigned long colour) override;
    void handleEvent(EVT::I_Event* event) override;

    int getFramesRun() const { return framesRun; }
    // True when the loop ended at the frame limit rather than on quit.
    bool reachedFrameLimit() const { return limitReached; }

private:
    bool frameLoopDone() override;
    float frameDelta() override;
    bool beginRender() override;
    void endRender(bool rendered) override;
    void endFrame() override;
    void raiseInput(int frame);

    float gameSpeed;
    double frameSeconds;
    std::vector<Input> script;
    std::size_t nextInput;
    int frameLimit;
    int framesRun;
    std::pair<int, int> size;
    bool exitApp;
    bool resetPending;
    bool limitReached;
    bool render;
};

} // namespace Game
