#pragma once

#include "Render/BufferDataType.h"

namespace Render {

class I_PixelBuffer;

// Makes pixel buffers.
class I_CreatePixelBuffer {
public:
    virtual ~I_CreatePixelBuffer() {}

    // A new pixel buffer of size bytes owned by the caller, or null when
    // no buffer of that size was made.
    virtual I_PixelBuffer* createPixelBuffer(int size, BufferDataType usage) = 0;
};

} // namespace Render
