#pragma once

#include "Math/Orientation.h"
#include "Math/Vector3.h"
#include "Render/I_CreatePixelBuffer.h"
#include "Render/I_CreateRenderBuffer.h"
#include "Render/I_CreateVertexArray.h"
#include "Render/I_EffectsController.h"
#include "Render/I_RenderAbilities.h"
#include "Render/RenderType.h"
#include "Render/ViewData.h"

namespace Render {

class I_RenderQueue;

// The rest of the program's one way to draw: view data and camera with a
// stack each, drawing calls, screen copies, and (through its bases) the
// abilities, the factories and the render state.
class I_RenderController : public I_RenderAbilities,
                           public I_CreateVertexArray,
                           public I_CreateRenderBuffer,
                           public I_CreatePixelBuffer,
                           public I_EffectsController {
public:
    virtual ~I_RenderController() {}

    // Set the fixed start-of-run render state; needs the OpenGL context.
    virtual void init() = 0;

    virtual void pushViewData() = 0;
    // Restore and apply the last saved view data; nothing when none is saved.
    virtual void popViewData() = 0;
    // Merge the given view data into the current one (keep values leave a
    // field alone) and apply it.
    virtual void setViewData(ViewData const& data) = 0;
    virtual ViewData const& getViewData() const = 0;

    virtual void pushCamera() = 0;
    // Restore and apply the last saved camera; nothing when none is saved.
    virtual void popCamera() = 0;
    virtual void setCamera(MathStuff::Orientation<float> const& camera) = 0;
    virtual MathStuff::Orientation<float> const& getCamera() const = 0;

    // Window x, y (from the bottom) and depth of a point.
    virtual MathStuff::Vector3<float> projectPoint(MathStuff::Vector3<float> point) const = 0;
    virtual MathStuff::Vector3<float> getPickRay(int x, int y) const = 0;

    // Copy the source rectangle of the bound read framebuffer to the
    // destination rectangle of the bound draw framebuffer.
    virtual void blit(int srcX0, int srcY0, int srcX1, int srcY1, int dstX0, int dstY0, int dstX1,
                      int dstY1) = 0;
    virtual void drawArrays(RenderType kind, int first, unsigned int count) = 0;
    virtual void drawElements(RenderType kind, unsigned int count, unsigned int* indices) = 0;

    // The controller's render queue, owned by the controller.
    virtual I_RenderQueue* getRenderQueue() = 0;

    // Read window pixels as RGBA bytes into destination (width * height * 4 bytes).
    virtual void copyScreen(unsigned char* destination, int x, int y, int width, int height) = 0;
    // Write RGBA bytes to the window with their lower left corner at (x, y).
    virtual void showScreen(unsigned char* source, int x, int y, int width, int height) = 0;
};

} // namespace Render
