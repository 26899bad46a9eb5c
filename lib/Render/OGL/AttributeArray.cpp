#include "Render/OGL/AttributeArray.h"

#include <GL/glew.h>

#include "Render/OGL/Extensions.h"

namespace OGL {

AttributeArray::AttributeArray(VertexArray* array) : m_array(array) {}

AttributeArray::~AttributeArray() {}

int AttributeArray::getBufferSize() const
{
    return m_array ? m_array->getBufferSize() : 0;
}

void AttributeArray::defineVertexInfo(int count, DataType type)
{
    if (m_array) {
        m_array->defineVertexInfo(count, type);
    }
}

void AttributeArray::defineTextureInfo(int count, DataType type)
{
    if (m_array) {
        m_array->defineTextureInfo(count, type);
    }
}

void AttributeArray::defineColorInfo(int count, DataType type)
{
    if (m_array) {
        m_array->defineColorInfo(count, type);
    }
}

void AttributeArray::defineAttrInfo(int count, DataType type)
{
    if (m_array) {
        m_array->defineAttrInfo(count, type);
    }
}

void AttributeArray::defineAttrInfo(int index, int count, DataType type)
{
    if (m_array) {
        m_array->defineAttrInfo(index, count, type);
    }
}

void AttributeArray::setUseVertexInfoAsTextureInfo(bool use)
{
    if (m_array) {
        m_array->setUseVertexInfoAsTextureInfo(use);
    }
}

void AttributeArray::getVertices(float* destination, int count, int offset) const
{
    if (m_array) {
        m_array->getVertices(destination, count, offset);
    }
}

void AttributeArray::putVertices(float const* source, int count, int offset)
{
    if (m_array) {
        m_array->putVertices(source, count, offset);
    }
}

void AttributeArray::getData(void* destination, int bytes, int offset) const
{
    if (m_array) {
        m_array->getData(destination, bytes, offset);
    }
}

void AttributeArray::putData(void const* source, int bytes, int offset)
{
    if (m_array) {
        m_array->putData(source, bytes, offset);
    }
}

void AttributeArray::beginUsing() const
{
    // Generic attributes need OpenGL 2.0 entry points; without them there
    // is nothing to bind.
    if (!m_array || !glEnableVertexAttribArray || !glVertexAttribPointer) {
        return;
    }
    glBindBuffer(m_array->getTarget(), m_array->getBufferId());
    for (int i = 0; i < VertexArray::COMPONENT_COUNT; ++i) {
        const VertexArray::Component& component = m_array->getComponent(i);
        if (component.count != 0) {
            glEnableVertexAttribArray(i);
            glVertexAttribPointer(i, component.count, component.type, GL_FALSE,
                                  m_array->getStride(), m_array->componentPointer(i));
        }
    }
    drainErrors();
}

void AttributeArray::endUsing() const
{
    if (!m_array || !glDisableVertexAttribArray) {
        return;
    }
    for (int i = 0; i < VertexArray::COMPONENT_COUNT; ++i) {
        if (m_array->getComponent(i).count != 0) {
            glDisableVertexAttribArray(i);
        }
    }
    glBindBuffer(m_array->getTarget(), 0);
}

} // namespace OGL
