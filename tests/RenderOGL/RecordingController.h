#pragma once

#include <vector>

#include "Render/OGL/Controller.h"

// The OpenGL controller with its two replaceable hooks recorded: which
// swap-interval values setVsync was asked for, and how often the viewport
// was set. Both still do their real work.
class RecordingController : public OGL::Controller {
public:
    explicit RecordingController(Render::ViewData const& view) : OGL::Controller(view) {}

    void setVsync() override
    {
        vsyncRequests.push_back(getViewData().vsync);
        OGL::Controller::setVsync();
    }
    void setViewport() const override
    {
        ++viewportCalls;
        OGL::Controller::setViewport();
    }

    std::vector<int> vsyncRequests;
    mutable int viewportCalls = 0;
};

// A view data for a window-sized orthographic view.
inline Render::ViewData orthoView(int width, int height)
{
    Render::ViewData view;
    view.minZ = -1;
    view.maxZ = 1;
    view.x = 0;
    view.y = 0;
    view.width = width;
    view.height = height;
    view.zoomX = 1;
    view.zoomY = 1;
    view.vsync = 0;
    view.is3D = false;
    return view;
}
