#include "Render/OGL/PixelBufferObject.h"

#include <GL/glew.h>

#include "Render/OGL/BufferStorage.h"
#include "Render/OGL/Extensions.h"

namespace OGL {

PixelBufferObject::PixelBufferObject(int size, unsigned int usage)
    : m_target(GL_PIXEL_PACK_BUFFER), m_bufferId(0), m_size(0)
{
    if (size <= 0 || !hasExtension(Extension::PixelBufferObjectARB)) {
        return;
    }
    m_size = size;
    glGenBuffers(1, &m_bufferId);
    const bool made = allocateBufferStorage(m_target, m_bufferId, m_size, usage);
    glBindBuffer(m_target, 0);
    drainErrors();
    if (!made) {
        // Nothing usable was made: let go of the name rather than leak it.
        glDeleteBuffers(1, &m_bufferId);
        m_bufferId = 0;
        m_size = 0;
    }
}

PixelBufferObject::~PixelBufferObject()
{
    if (m_bufferId != 0) {
        glDeleteBuffers(1, &m_bufferId);
    }
}

int PixelBufferObject::getBufferSize() const
{
    return m_size;
}

void PixelBufferObject::beginUsing(bool read) const
{
    m_target = read ? GL_PIXEL_PACK_BUFFER : GL_PIXEL_UNPACK_BUFFER;
    if (m_size != 0) {
        glBindBuffer(m_target, m_bufferId);
    }
}

void PixelBufferObject::endUsing() const
{
    if (m_size != 0) {
        glBindBuffer(m_target, 0);
    }
}

void PixelBufferObject::getData(void* destination, int bytes, int offset) const
{
    if (m_size != 0 && bytes > 0 && destination != nullptr) {
        glGetBufferSubData(m_target, offset, bytes, destination);
    }
}

void PixelBufferObject::putData(void const* source, int bytes, int offset)
{
    if (m_size != 0 && bytes > 0 && source != nullptr) {
        glBufferSubData(m_target, offset, bytes, source);
    }
}

} // namespace OGL
