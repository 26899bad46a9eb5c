#pragma once

#include <string>

#include "Render/I_RenderBuffer.h"
#include "Util/NonCopyable.h"

namespace OGL {

// An off-screen drawing target on an OpenGL framebuffer object, with its
// own render buffer as colour storage or drawing into a texture. Valid or
// not is decided once, when it is made. Owns its framebuffer and render
// buffer names; the texture belongs to the caller.
class RenderBuffer : public Render::I_RenderBuffer, Util::NonCopyable<RenderBuffer> {
public:
    // width, height in pixels; kind 1 to 9 (anything else is not valid);
    // texture may be null; layer of a 3D texture. A texture with a kind
    // that is not a _TEX kind ends the program.
    RenderBuffer(int width, int height, Render::I_RenderBuffer::RBType kind,
                 MatSys::I_Texture* texture, int layer);
    ~RenderBuffer() override;

    bool isValid() const override;
    void beginUsing(MatSys::I_Texture* texture, int layer) override;
    void endUsing() override;

    // The largest side a render buffer may have; asked of OpenGL once.
    static int getMaxSize();

    // The text for a framebuffer status: empty when complete, the status's
    // name when known, else "Error: " and the value in hexadecimal.
    static std::string statusText(unsigned int status);

private:
    void invalidate();
    void attachTexture(MatSys::I_Texture* texture, int layer);

    int m_width;
    int m_height;
    unsigned int m_framebufferId;
    unsigned int m_renderBufferId;
    unsigned int m_textureId;
    int m_layer;
    unsigned int m_target;
};

} // namespace OGL
