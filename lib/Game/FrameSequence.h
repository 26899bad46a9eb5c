#pragma once

namespace Game {

class I_FrameBackend;

// The one frame loop every window application runs, so that the order of a frame is written
// once: focus, joysticks, time, pre-update, update, render (the window's input delivered inside
// the buffer swap that ends the game manager's drawing; a frame whose drawing is skipped
// collects no input), then the quit check before the next frame. Events are delivered at once,
// never queued. Holds its backend, does not own it.
class FrameSequence {
public:
    explicit FrameSequence(I_FrameBackend& backend) : backend(backend) {}

    // Frames until the backend reports the loop done (checked before the first one too).
    void run();
    // One whole frame.
    void runFrame();
    // The frame from its time step on: delta, pre-update, update, render, end of frame.
    void updateAndRender();

private:
    I_FrameBackend& backend;
};

} // namespace Game
