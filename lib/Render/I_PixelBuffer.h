#pragma once

namespace Render {

// A buffer of pixel data that OpenGL reads pixels into (pack) or takes
// pixels from (unpack). Sizes and offsets are in bytes.
class I_PixelBuffer {
public:
    virtual ~I_PixelBuffer() {}

    virtual int getBufferSize() const = 0;
    // true: pixels are read into this buffer; false: pixels are taken from it.
    virtual void beginUsing(bool read) const = 0;
    virtual void endUsing() const = 0;
    virtual void getData(void* destination, int bytes, int offset) const = 0;
    virtual void putData(void const* source, int bytes, int offset) = 0;
};

} // namespace Render
