#include <GL/glew.h>

#include <cstring>
#include <memory>

#include "GLContextFixture.h"
#include "RecordingController.h"
#include "Render/Abilities.h"
#include "Render/I_PixelBuffer.h"
#include "Render/OGL/AttributeArray.h"
#include "Render/OGL/Extensions.h"
#include "Render/OGL/VertexBufferObject.h"
#include "Render/TexturedQuad.h"
#include "Render/TexturedQuadZTx.h"
#include "Util/RGBA.h"

using VA = std::unique_ptr<Render::I_VertexArray>;

namespace {

bool isBufferObject(const VA& array)
{
    return dynamic_cast<OGL::VertexBufferObject*>(array.get()) != nullptr;
}

} // namespace

class Factories : public GLContextTest {
protected:
    RecordingController controller{orthoView(WIDTH, HEIGHT)};
};

TEST_F(Factories, VertexArraysPreferBufferObjectsAndFallBackToClientMemory)
{
    ASSERT_EQ(controller.getAbility(Render::HAVE_VBOS), 1) << "the driver has buffer objects";
    VA preferred(controller.createVertexArray(100, true));
    ASSERT_NE(preferred, nullptr);
    EXPECT_TRUE(isBufferObject(preferred));
    EXPECT_EQ(preferred->getBufferSize(), 100);

    VA empty(controller.createVertexArray(0, false));
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(isBufferObject(empty)) << "a buffer object without storage";
    EXPECT_EQ(empty->getBufferSize(), 0);
    EXPECT_EQ(VA(controller.createVertexArray(-8, true)), nullptr);

    controller.setAbility(Render::HAVE_VBOS, 0);
    VA overridden(controller.createVertexArray(100, true));
    ASSERT_NE(overridden, nullptr);
    EXPECT_FALSE(isBufferObject(overridden));
    EXPECT_EQ(overridden->getBufferSize(), 100);

    // Claimed present but missing: the buffer object comes back empty and
    // client memory takes over.
    controller.setAbility(Render::HAVE_VBOS, 1);
    OGL::forceExtensionOff(OGL::Extension::VertexBufferObject, true);
    VA fallback(controller.createVertexArray(100, true));
    ASSERT_NE(fallback, nullptr);
    EXPECT_FALSE(isBufferObject(fallback));
    EXPECT_EQ(fallback->getBufferSize(), 100);
}

TEST_F(Factories, LaidOutArraysGetTheirComponents)
{
    VA vtc(controller.createVTCArray(72, true));
    ASSERT_NE(vtc, nullptr);
    const auto* layout = dynamic_cast<OGL::VertexArray*>(vtc.get());
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->getStride(), 36);
    EXPECT_EQ(layout->getComponent(2).offset, 20u);

    VA sprite(controller.createSpriteShaderArray(128, false));
    ASSERT_NE(dynamic_cast<OGL::AttributeArray*>(sprite.get()), nullptr);
    sprite->beginUsing();
    const struct {
        int attribute;
        int size;
    } attributes[] = {{0, 3}, {1, 2}, {2, 4}, {3, 3}, {4, 3}, {5, 1}};
    for (const auto& a : attributes) {
        SCOPED_TRACE(a.attribute);
        GLint size = 0, stride = 0;
        glGetVertexAttribiv(a.attribute, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
        glGetVertexAttribiv(a.attribute, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
        EXPECT_EQ(size, a.size);
        EXPECT_EQ(stride, 64);
    }
    sprite->endUsing();
    EXPECT_EQ(VA(controller.createAttrArray(-1, true)), nullptr);
}

TEST_F(Factories, TexturedQuadsAreCopiedByteForByte)
{
    Render::TexturedQuad quad;
    Render::TexturedQuadZTx quad3;
    for (int i = 0; i < 20; ++i) {
        quad.corners[i / 5][i % 5] = static_cast<float>(i);
    }
    for (int i = 0; i < 24; ++i) {
        quad3.corners[i / 6][i % 6] = static_cast<float>(-i);
    }
    for (bool bufferObjects : {true, false}) {
        SCOPED_TRACE(bufferObjects);
        OGL::forceExtensionOff(OGL::Extension::VertexBufferObject, !bufferObjects);
        VA flat(controller.createTexturedQuadVA(quad, true));
        VA deep(controller.createTexturedQuadVA(quad3, true));
        ASSERT_NE(flat, nullptr);
        ASSERT_NE(deep, nullptr);
        EXPECT_EQ(flat->getBufferSize(), 80);
        EXPECT_EQ(deep->getBufferSize(), 96);
        Render::TexturedQuad flatBack{};
        Render::TexturedQuadZTx deepBack{};
        flat->beginUsing();
        flat->getData(&flatBack, 80, 0);
        flat->endUsing();
        deep->beginUsing();
        deep->getData(&deepBack, 96, 0);
        EXPECT_EQ(integer(GL_TEXTURE_COORD_ARRAY_SIZE), 3);
        EXPECT_EQ(integer(GL_TEXTURE_COORD_ARRAY_STRIDE), 24);
        deep->endUsing();
        EXPECT_EQ(std::memcmp(&flatBack, &quad, 80), 0);
        EXPECT_EQ(std::memcmp(&deepBack, &quad3, 96), 0);
    }
}

TEST_F(Factories, PixelBuffersCarryPixelsBothWays)
{
    std::unique_ptr<Render::I_PixelBuffer> buffer(
        controller.createPixelBuffer(16, Render::BUFFER_DYNAMIC_READ));
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->getBufferSize(), 16);

    // Bound for reading, putData writes into the pack buffer.
    const unsigned char bytes[4] = {1, 2, 3, 4};
    buffer->beginUsing(true);
    EXPECT_NE(integer(GL_PIXEL_PACK_BUFFER_BINDING), 0);
    buffer->putData(bytes, 4, 12);
    unsigned char back[4] = {};
    buffer->getData(back, 4, 12);
    EXPECT_EQ(std::memcmp(back, bytes, 4), 0);

    controller.doClear(Util::RGBA(9, 8, 7, 6));
    controller.copyScreen(nullptr, 0, 0, 2, 1);
    buffer->getData(back, 4, 4);
    EXPECT_EQ(std::vector<unsigned char>(back, back + 4), std::vector<unsigned char>({9, 8, 7, 6}));
    buffer->endUsing();
    EXPECT_EQ(integer(GL_PIXEL_PACK_BUFFER_BINDING), 0);

    // Bound for writing, the window takes its pixels from it.
    const unsigned char red[16] = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    buffer->beginUsing(false);
    buffer->putData(red, 16, 0);
    controller.showScreen(nullptr, 10, 10, 2, 2);
    buffer->endUsing();
    EXPECT_EQ(integer(GL_PIXEL_UNPACK_BUFFER_BINDING), 0);
    EXPECT_EQ(pixel(11, 11), std::vector<unsigned char>({255, 0, 0, 255}));
}

TEST_F(Factories, PixelBuffersNeedTheExtensionAndAKnownUsage)
{
    EXPECT_EQ(controller.createPixelBuffer(16, static_cast<Render::BufferDataType>(4)), nullptr);
    EXPECT_EQ(controller.createPixelBuffer(-16, Render::BUFFER_STATIC_DRAW), nullptr);
    OGL::forceExtensionOff(OGL::Extension::PixelBufferObjectARB, true);
    EXPECT_EQ(controller.createPixelBuffer(16, Render::BUFFER_STATIC_DRAW), nullptr);
}
