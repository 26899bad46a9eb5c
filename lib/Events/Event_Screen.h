#pragma once

#include "Events/I_Event.h"

namespace EVT {

// The window's drawing area changed size (type 9); sizes in pixels.
class Event_Screen : public I_Event {
public:
    Event_Screen(int newWidth, int newHeight);
    Event_Screen(const Event_Screen&) = default;
    ~Event_Screen() override;

    I_Event* clone() const override;

    int width;
    int height;
};

} // namespace EVT
