#pragma once

namespace MatSys {
class I_Texture;
}

namespace Render {

// An off-screen drawing target, with its own colour storage or drawing
// into a texture.
class I_RenderBuffer {
public:
    // The kind of a render buffer: which framebuffer binding point it uses
    // (plain, read or draw) and what storage its render buffer gets. Only
    // the _TEX kinds may be used with a texture.
    enum RBType : int {
        RBUF_NONE = 0,
        RBUF_FB_RGB = 1,
        RBUF_FB_RGBA = 2,
        RBUF_FB_TEX = 3,
        RBUF_READ_RGB = 4,
        RBUF_READ_RGBA = 5,
        RBUF_READ_TEX = 6,
        RBUF_DRAW_RGB = 7,
        RBUF_DRAW_RGBA = 8,
        RBUF_DRAW_TEX = 9
    };

    virtual ~I_RenderBuffer() {}

    virtual bool isValid() const = 0;
    // Draw into this render buffer, and into the texture (layer of a 3D
    // texture) when one is given.
    virtual void beginUsing(MatSys::I_Texture* texture, int layer) = 0;
    // Draw into the window again.
    virtual void endUsing() = 0;
};

} // namespace Render
