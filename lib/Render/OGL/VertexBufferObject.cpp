#include "Render/OGL/VertexBufferObject.h"

#include <GL/glew.h>

#include "Render/OGL/BufferStorage.h"
#include "Render/OGL/Extensions.h"

namespace OGL {

VertexBufferObject::VertexBufferObject(int size, unsigned int usage) : VertexArray(0)
{
    construct(size, usage);
}

VertexBufferObject::VertexBufferObject(int size, unsigned int usage, unsigned int target)
    : VertexArray(0)
{
    m_target = target;
    construct(size, usage);
}

void VertexBufferObject::construct(int size, unsigned int usage)
{
    m_size = size > 0 ? size : 0;
    if (m_size != 0 && VBOsSupported()) {
        constructVBO(usage);
    } else {
        m_size = 0;
    }
}

VertexBufferObject::~VertexBufferObject()
{
    if (m_bufferId != 0) {
        glDeleteBuffers(1, &m_bufferId);
    }
}

bool VertexBufferObject::VBOsSupported()
{
    return hasExtension(Extension::VertexBufferObject);
}

void VertexBufferObject::constructVBO(unsigned int usage)
{
    if (m_size == 0 || !VBOsSupported()) {
        m_size = 0;
        return;
    }
    glGenBuffers(1, &m_bufferId);
    if (allocateBufferStorage(m_target, m_bufferId, m_size, usage)) {
        glBindBuffer(m_target, 0);
        drainErrors();
        return;
    }
    drainErrors();
    // Nothing usable was made: let go of the name rather than leak it.
    glBindBuffer(m_target, 0);
    glDeleteBuffers(1, &m_bufferId);
    m_bufferId = 0;
    m_size = 0;
}

void VertexBufferObject::getData(void* destination, int bytes, int offset) const
{
    if (m_size != 0 && bytes > 0 && destination != nullptr) {
        glGetBufferSubData(m_target, offset, bytes, destination);
    }
}

void VertexBufferObject::putData(void const* source, int bytes, int offset)
{
    if (m_size != 0 && bytes > 0 && source != nullptr) {
        glBufferSubData(m_target, offset, bytes, source);
    }
}

} // namespace OGL
