#include "Render/OGL/VertexArray.h"

#include <GL/glew.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "Render/OGL/Extensions.h"
#include "Util/Abort.h"

namespace OGL {

namespace {

enum ComponentIndex { POSITION = 0, TEXTURE = 1, COLOR = 2, ATTRIBUTE0 = 3 };

int typeSize(unsigned int type)
{
    switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE:
        return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
        return 2;
    case GL_INT:
    case GL_UNSIGNED_INT:
    case GL_FLOAT:
        return 4;
    case GL_DOUBLE:
        return 8;
    default:
        return 0;
    }
}

// Client arrays need no buffer object; without one bound to GL_ARRAY_BUFFER
// an old driver may lack the entry point altogether.
void bindBuffer(unsigned int target, unsigned int id)
{
    if (glBindBuffer) {
        glBindBuffer(target, id);
    }
}

} // namespace

VertexArray::VertexArray(int size)
    : m_target(GL_ARRAY_BUFFER), m_bufferId(0), m_size(size > 0 ? size : 0), m_stride(0),
      m_components(), m_useVertexAsTexture(false)
{
    // Without the memory the array is simply not made (size 0), like a
    // buffer object the driver could not give storage.
    if (m_size != 0) {
        m_data.reset(new (std::nothrow) unsigned char[m_size]());
        if (!m_data) {
            m_size = 0;
        }
    }
}

VertexArray::~VertexArray() {}

int VertexArray::getBufferSize() const
{
    return m_size;
}

void VertexArray::defineVertexInfo(int count, DataType type)
{
    setDataInfo(POSITION, count, type);
}

void VertexArray::defineTextureInfo(int count, DataType type)
{
    setDataInfo(TEXTURE, count, type);
}

void VertexArray::defineColorInfo(int count, DataType type)
{
    setDataInfo(COLOR, count, type);
}

void VertexArray::defineAttrInfo(int count, DataType type)
{
    setDataInfo(ATTRIBUTE0, count, type);
}

void VertexArray::defineAttrInfo(int index, int count, DataType type)
{
    if (index < 0 || index > COMPONENT_COUNT - 1 - ATTRIBUTE0) {
        return;
    }
    setDataInfo(ATTRIBUTE0 + index, count, type);
}

void VertexArray::setUseVertexInfoAsTextureInfo(bool use)
{
    m_useVertexAsTexture = use;
}

void VertexArray::setDataInfo(int index, int count, DataType type)
{
    unsigned int glType = 0;
    switch (type) {
    case DT_FLOAT:
        glType = GL_FLOAT;
        break;
    case DT_UBYTE:
        glType = GL_UNSIGNED_BYTE;
        break;
    case DT_SHORT:
        glType = GL_SHORT;
        break;
    default:
        ABORT("UNKNOWN VertexArrayDataType " + std::to_string(static_cast<int>(type)));
    }
    if (index < 0 || index >= COMPONENT_COUNT) {
        return;
    }
    // The new component starts behind everything defined so far, its own
    // old bytes included when it is defined again.
    m_components[index] = Component{count, glType, static_cast<std::size_t>(m_stride)};
    recomputeStride();
}

void VertexArray::recomputeStride()
{
    // Summed wide and saturated, so absurd counts cannot overflow an int.
    long long stride = 0;
    for (const Component& component : m_components) {
        if (component.count != 0) {
            stride += static_cast<long long>(component.count) * typeSize(component.type);
        }
    }
    m_stride = static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, stride)));
}

const void* VertexArray::componentPointer(int index) const
{
    const std::size_t offset = m_components[index].offset;
    if (m_data) {
        return m_data.get() + offset;
    }
    // A buffer object takes the offset in place of an address.
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(offset));
}

bool VertexArray::rangeInside(int bytes, int offset) const
{
    return bytes >= 0 && offset >= 0 &&
           static_cast<long long>(offset) + bytes <= static_cast<long long>(m_size);
}

void VertexArray::getVertices(float* destination, int count, int offset) const
{
    if (count >= 0 && count <= INT_MAX / 12) {
        getData(destination, 12 * count, offset);
    }
}

void VertexArray::putVertices(float const* source, int count, int offset)
{
    if (count >= 0 && count <= INT_MAX / 12) {
        putData(source, 12 * count, offset);
    }
}

void VertexArray::getData(void* destination, int bytes, int offset) const
{
    if (bytes == 0 || destination == nullptr || !rangeInside(bytes, offset)) {
        return;
    }
    std::memcpy(destination, m_data.get() + offset, static_cast<std::size_t>(bytes));
}

void VertexArray::putData(void const* source, int bytes, int offset)
{
    if (bytes == 0 || source == nullptr || !rangeInside(bytes, offset)) {
        return;
    }
    std::memcpy(m_data.get() + offset, source, static_cast<std::size_t>(bytes));
}

void VertexArray::beginUsing() const
{
    bindBuffer(m_target, m_bufferId);
    const Component& texture = m_components[TEXTURE];
    if (texture.count != 0) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(texture.count, texture.type, m_stride, componentPointer(TEXTURE));
    }
    const Component& color = m_components[COLOR];
    if (color.count != 0) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(color.count, color.type, m_stride, componentPointer(COLOR));
    }
    const Component& attribute = m_components[ATTRIBUTE0];
    if (attribute.count != 0 && glSecondaryColorPointer) {
        glEnableClientState(GL_SECONDARY_COLOR_ARRAY);
        glSecondaryColorPointer(attribute.count, attribute.type, m_stride,
                                componentPointer(ATTRIBUTE0));
    }
    const Component& position = m_components[POSITION];
    if (position.count != 0) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(position.count, position.type, m_stride, componentPointer(POSITION));
        if (m_useVertexAsTexture) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(position.count, position.type, m_stride, componentPointer(POSITION));
        }
    }
    drainErrors();
}

void VertexArray::endUsing() const
{
    if (m_components[TEXTURE].count != 0) {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (m_components[COLOR].count != 0) {
        glDisableClientState(GL_COLOR_ARRAY);
    }
    if (m_components[ATTRIBUTE0].count != 0) {
        glDisableClientState(GL_SECONDARY_COLOR_ARRAY);
    }
    if (m_components[POSITION].count != 0) {
        glDisableClientState(GL_VERTEX_ARRAY);
        if (m_useVertexAsTexture) {
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
    }
    bindBuffer(m_target, 0);
}

} // namespace OGL
