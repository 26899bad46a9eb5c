#pragma once

#include "Render/I_PixelBuffer.h"
#include "Util/NonCopyable.h"

namespace OGL {

// A pixel buffer object: OpenGL reads pixels into it while it is bound
// for reading (pack) and takes pixels from it while bound for writing
// (unpack). getData and putData act on the target it was last bound to.
// Owns its buffer name.
class PixelBufferObject : public Render::I_PixelBuffer, Util::NonCopyable<PixelBufferObject> {
public:
    // size in bytes, usage such as GL_STREAM_READ. Without the extension,
    // or for size 0, nothing is made and getBufferSize() is 0.
    PixelBufferObject(int size, unsigned int usage);
    ~PixelBufferObject() override;

    int getBufferSize() const override;
    void beginUsing(bool read) const override;
    void endUsing() const override;
    void getData(void* destination, int bytes, int offset) const override;
    void putData(void const* source, int bytes, int offset) override;

private:
    mutable unsigned int m_target;
    unsigned int m_bufferId;
    int m_size;
};

} // namespace OGL
