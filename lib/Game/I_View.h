#pragma once

#include "Game/ViewBox.h"

namespace EVT {
class I_Event;
}

namespace Game {

// Something drawn on the screen each frame that may also take input. The
// view manager calls it; whoever added it owns it.
class I_View {
public:
    virtual ~I_View() = default;

    virtual void setPause(bool paused) = 0;
    // The window's width and height.
    virtual void setScreenSize(int width, int height) = 0;
    // Before the frame's update, with the frame delta in game milliseconds.
    virtual void preUpdate(float delta) = 0;
    virtual void onUpdate(float delta) = 0;
    virtual void onRender() = 0;
    // Offered an input event: returns the event to offer to the view below,
    // or null to stop it here.
    virtual EVT::I_Event* onInput(EVT::I_Event* event) = 0;
    virtual ViewBox getViewBox() const = 0;
};

} // namespace Game
