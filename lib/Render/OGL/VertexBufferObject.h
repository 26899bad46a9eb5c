#pragma once

#include "Render/OGL/VertexArray.h"

namespace OGL {

// Vertex data in an OpenGL buffer object. The component pointers are byte
// offsets into the buffer. getData and putData act on whatever buffer is
// bound to the target, so they belong between beginUsing and endUsing.
// Owns its buffer name.
class VertexBufferObject : public VertexArray {
public:
    // size in bytes; usage such as GL_STATIC_DRAW; target GL_ARRAY_BUFFER
    // unless given. Without the extension, or for size 0, no storage is
    // made and getBufferSize() is 0.
    VertexBufferObject(int size, unsigned int usage);
    VertexBufferObject(int size, unsigned int usage, unsigned int target);
    ~VertexBufferObject() override;

    void getData(void* destination, int bytes, int offset) const override;
    void putData(void const* source, int bytes, int offset) override;

    // Makes the buffer's storage; size 0 on failure.
    virtual void constructVBO(unsigned int usage);

    static bool VBOsSupported();

private:
    void construct(int size, unsigned int usage);
};

} // namespace OGL
