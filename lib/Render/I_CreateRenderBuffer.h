#pragma once

#include "Render/I_RenderBuffer.h"

namespace MatSys {
class I_Texture;
}

namespace Render {

// Makes render buffers (off-screen drawing targets).
class I_CreateRenderBuffer {
public:
    virtual ~I_CreateRenderBuffer() {}

    // A new render buffer owned by the caller, or null when it is not
    // valid. texture may be null; layer selects the layer of a 3D texture.
    virtual I_RenderBuffer* createRenderBuffer(int width, int height, I_RenderBuffer::RBType kind,
                                               MatSys::I_Texture* texture, int layer) = 0;
};

} // namespace Render
