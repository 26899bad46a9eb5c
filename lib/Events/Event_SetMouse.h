#pragma once

#include "Events/I_Event.h"

namespace EVT {

// A request to the window application to move the cursor and show or hide it
// (type 10). A position of -1 on either axis leaves the cursor where it is.
class Event_SetMouse : public I_Event {
public:
    enum Mode { MODE_MOVE = 0, MODE_SHOW = 1, MODE_HIDE = 2 };

    Event_SetMouse(int posX, int posY, int cursorMode = MODE_MOVE);
    Event_SetMouse(const Event_SetMouse&) = default;
    ~Event_SetMouse() override;

    I_Event* clone() const override;

    virtual int getX() const;
    virtual int getY() const;
    // 1 show the cursor, 2 hide and capture it, anything else only move it.
    virtual int getMode() const;

private:
    int m_x;
    int m_y;
    int m_mode;
};

} // namespace EVT
