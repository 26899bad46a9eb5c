#pragma once

namespace Game {

// The steps of a frame that belong to a window system, called by FrameSequence in its fixed
// order. A backend without a window leaves focus and joysticks alone; only the OpenGL one
// needs work around the render event.
class I_FrameBackend {
public:
    virtual ~I_FrameBackend() {}

    // Whether the game has quit (or the backend ends its loop for another reason): asked before
    // every frame.
    virtual bool frameLoopDone() = 0;
    // Raises an enter/leave event when the window's active state changed since the last frame.
    virtual void pollFocus() {}
    // Raises the frame's joypad events.
    virtual void pollJoysticks() {}
    // The frame's delta in game milliseconds (0 after a time reset).
    virtual float frameDelta() = 0;
    // Just before the render event; false raises none this frame. The window's input arrives
    // inside the buffer swap that the game manager's render handling ends with.
    virtual bool beginRender() { return true; }
    // Just after the render event, or where it would have been.
    virtual void endRender(bool rendered) { (void)rendered; }
    // After everything else in the frame.
    virtual void endFrame() {}
};

} // namespace Game
