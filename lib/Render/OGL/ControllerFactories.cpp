// The factory operations of OGL::Controller, kept apart from its render
// state code: they make the OpenGL vertex arrays, render buffers and pixel
// buffers and hand them out only when they really got their storage.

#include <GL/glew.h>

#include "Render/OGL/AttributeArray.h"
#include "Render/OGL/CellGridTexture.h"
#include "Render/OGL/Controller.h"
#include "Render/OGL/GlyphAtlasTexture.h"
#include "Render/OGL/PixelBufferObject.h"
#include "Render/OGL/RenderBuffer.h"
#include "Render/OGL/VertexArray.h"
#include "Render/OGL/VertexBufferObject.h"
#include "Render/TexturedQuad.h"
#include "Render/TexturedQuadZTx.h"

namespace OGL {

namespace {

using DT = Render::I_VertexArray::DataType;

template <typename Quad>
Render::I_VertexArray* fillQuadArray(Render::I_VertexArray* array, Quad const& quad,
                                     int textureComponents)
{
    if (array == nullptr) {
        return nullptr;
    }
    array->defineVertexInfo(3, DT::DT_FLOAT);
    array->defineTextureInfo(textureComponents, DT::DT_FLOAT);
    array->beginUsing();
    array->putData(&quad, static_cast<int>(sizeof(Quad)), 0);
    array->endUsing();
    return array;
}

} // namespace

Render::I_VertexArray* Controller::createVertexArray(int size, bool isStatic)
{
    // A buffer object first (also when the ability is overridden on: the
    // object itself checks the driver), client memory as the fallback.
    if (getAbility(Render::HAVE_VBOS) != 0) {
        auto* buffer = new VertexBufferObject(size, isStatic ? GL_STATIC_DRAW : GL_DYNAMIC_DRAW);
        if (buffer->getBufferSize() == size) {
            return buffer;
        }
        delete buffer;
    }
    auto* array = new VertexArray(size);
    if (array->getBufferSize() == size) {
        return array;
    }
    delete array;
    return nullptr;
}

Render::I_VertexArray* Controller::createVTCArray(int size, bool isStatic)
{
    Render::I_VertexArray* array = createVertexArray(size, isStatic);
    if (array != nullptr) {
        array->defineVertexInfo(3, DT::DT_FLOAT);
        array->defineTextureInfo(2, DT::DT_FLOAT);
        array->defineColorInfo(4, DT::DT_FLOAT);
    }
    return array;
}

Render::I_VertexArray* Controller::createTexturedQuadVA(Render::TexturedQuad const& quad,
                                                        bool isStatic)
{
    return fillQuadArray(createVertexArray(sizeof(quad), isStatic), quad, 2);
}

Render::I_VertexArray* Controller::createTexturedQuadVA(Render::TexturedQuadZTx const& quad,
                                                        bool isStatic)
{
    return fillQuadArray(createVertexArray(sizeof(quad), isStatic), quad, 3);
}

Render::I_VertexArray* Controller::createAttrArray(int size, bool isStatic)
{
    Render::I_VertexArray* array = createVertexArray(size, isStatic);
    // Attributes are bound from the layout of an OpenGL vertex array; a
    // subclass's factory handing out something else gets no wrapper.
    auto* layout = dynamic_cast<VertexArray*>(array);
    if (layout == nullptr) {
        delete array;
        return nullptr;
    }
    return new AttributeArray(layout);
}

Render::I_VertexArray* Controller::createSpriteShaderArray(int size, bool isStatic)
{
    Render::I_VertexArray* array = createAttrArray(size, isStatic);
    if (array != nullptr) {
        array->defineVertexInfo(3, DT::DT_FLOAT);
        array->defineTextureInfo(2, DT::DT_FLOAT);
        array->defineColorInfo(4, DT::DT_FLOAT);
        array->defineAttrInfo(0, 3, DT::DT_FLOAT);
        array->defineAttrInfo(1, 3, DT::DT_FLOAT);
        array->defineAttrInfo(2, 1, DT::DT_FLOAT);
    }
    return array;
}

Render::I_RenderBuffer* Controller::createRenderBuffer(int width, int height,
                                                       Render::I_RenderBuffer::RBType kind,
                                                       MatSys::I_Texture* texture, int layer)
{
    auto* buffer = new RenderBuffer(width, height, kind, texture, layer);
    if (buffer->isValid()) {
        return buffer;
    }
    delete buffer;
    return nullptr;
}

Render::I_PixelBuffer* Controller::createPixelBuffer(int size, Render::BufferDataType usage)
{
    static const GLenum usages[] = {GL_STATIC_DRAW, GL_DYNAMIC_DRAW, GL_DYNAMIC_READ,
                                    GL_DYNAMIC_COPY};
    const int index = static_cast<int>(usage);
    if (index < 0 || index >= static_cast<int>(sizeof(usages) / sizeof(usages[0]))) {
        return nullptr;
    }
    auto* buffer = new PixelBufferObject(size, usages[index]);
    if (buffer->getBufferSize() == size) {
        return buffer;
    }
    delete buffer;
    return nullptr;
}

Render::I_CellGrid* Controller::createCellGrid(int width, int height)
{
    if (!CellGridTexture::fits(width, height)) {
        return nullptr;
    }
    return new CellGridTexture(width, height);
}

Render::I_GlyphAtlas* Controller::createGlyphAtlas(int width, int height)
{
    if (!GlyphAtlasTexture::fits(width, height)) {
        return nullptr;
    }
    return new GlyphAtlasTexture(width, height);
}

} // namespace OGL
