#pragma once

namespace Render {
class I_RenderController;
}

namespace GameHelper {

class ViewBoxHelper;

// Sets a render controller up for flat 2D drawing in window pixels: one
// unit per pixel, y upwards, the origin at the lower left corner of the
// rectangle or at its centre. Keeps only the controller pointer (not owned).
class RenderHelper {
public:
    explicit RenderHelper(Render::I_RenderController* controller);
    virtual ~RenderHelper();

    // The view box's rectangle, not centred.
    virtual void set2D(ViewBoxHelper const* box) const;
    // A rectangle at (0, 0).
    virtual void set2D(int width, int height, bool centred) const;
    // width and height 0 keep the controller's current viewport size.
    virtual void set2D(int x, int y, int width, int height, bool centred) const;

private:
    Render::I_RenderController* m_controller;
};

} // namespace GameHelper
