#include <GL/glew.h>

#include <cstring>
#include <functional>
#include <memory>

#include "GLContextFixture.h"
#include "Render/OGL/AttributeArray.h"
#include "Render/OGL/Extensions.h"
#include "Render/OGL/VertexArray.h"
#include "Render/OGL/VertexBufferObject.h"

using DT = Render::I_VertexArray::DataType;
using OGL::VertexArray;

namespace {

const void* pointerOf(GLenum name)
{
    void* pointer = nullptr;
    glGetPointerv(name, &pointer);
    return pointer;
}

} // namespace

class VertexArrays : public GLContextTest {};

TEST_F(VertexArrays, ComponentsFollowEachOtherInDefinitionOrder)
{
    const struct {
        const char* name;
        std::function<void(VertexArray&)> define;
        std::vector<std::pair<int, std::size_t>> offsets; // component index, byte offset
        int stride;
    } cases[] = {
        {"position, texture, ubyte colour",
         [](VertexArray& a) {
             a.defineVertexInfo(3, DT::DT_FLOAT);
             a.defineTextureInfo(2, DT::DT_FLOAT);
             a.defineColorInfo(4, DT::DT_UBYTE);
         },
         {{0, 0}, {1, 12}, {2, 20}},
         24},
        {"colour before position",
         [](VertexArray& a) {
             a.defineColorInfo(4, DT::DT_FLOAT);
             a.defineVertexInfo(3, DT::DT_FLOAT);
         },
         {{2, 0}, {0, 16}},
         28},
        {"position defined again moves behind everything",
         [](VertexArray& a) {
             a.defineVertexInfo(3, DT::DT_FLOAT);
             a.defineTextureInfo(2, DT::DT_FLOAT);
             a.defineVertexInfo(3, DT::DT_SHORT);
         },
         {{1, 12}, {0, 20}},
         14},
        {"extra attributes by index, out of range ignored",
         [](VertexArray& a) {
             a.defineAttrInfo(2, DT::DT_UBYTE);
             a.defineAttrInfo(3, 1, DT::DT_SHORT);
             a.defineAttrInfo(4, 4, DT::DT_FLOAT);
             a.defineAttrInfo(-1, 4, DT::DT_FLOAT);
         },
         {{3, 0}, {6, 2}},
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VertexArray array(96);
        c.define(array);
        EXPECT_EQ(array.getStride(), c.stride);
        for (const auto& [index, offset] : c.offsets) {
            SCOPED_TRACE(index);
            EXPECT_EQ(array.getComponent(index).offset, offset);
        }
    }
}

TEST(VertexArrayDeathTest, UnknownDataTypeEndsTheProgram)
{
    VertexArray array(16);
    EXPECT_DEATH(array.defineVertexInfo(3, static_cast<DT>(0)),
                 "ABORT: Func:void OGL::VertexArray::setDataInfo\\(int, int, "
                 "Render::I_VertexArray::DataType\\) File:lib/Render/OGL/VertexArray Line: "
                 "[0-9]+\nABORT: UNKNOWN VertexArrayDataType 0");
    EXPECT_DEATH(array.defineColorInfo(4, static_cast<DT>(4)), "UNKNOWN VertexArrayDataType 4");
}

TEST_F(VertexArrays, ClientDataIsCopiedOnlyInsideTheArray)
{
    VertexArray array(48);
    unsigned char bytes[48];
    for (int i = 0; i < 48; ++i) {
        bytes[i] = static_cast<unsigned char>(i);
    }
    array.putData(bytes, 48, 0);

    float vertices[6] = {};
    array.getVertices(vertices, 2, 24);
    EXPECT_EQ(std::memcmp(vertices, bytes + 24, 24), 0);

    const struct {
        int bytes;
        int offset;
    } outside[] = {{8, 44}, {1, 48}, {4, -1}, {-4, 0}, {49, 0}, {0x7fffffff, 1}};
    for (const auto& c : outside) {
        SCOPED_TRACE(c.offset);
        unsigned char marker[64];
        std::memset(marker, 0xAB, sizeof(marker));
        array.getData(marker, c.bytes, c.offset);
        EXPECT_EQ(marker[0], 0xAB) << "nothing read";
        array.putData(marker, c.bytes, c.offset);
    }
    array.putVertices(vertices, 5, 0);
    unsigned char after[48];
    array.getData(after, 48, 0);
    EXPECT_EQ(std::memcmp(after, bytes, 48), 0) << "nothing written";
    EXPECT_EQ(VertexArray(-5).getBufferSize(), 0);
}

TEST_F(VertexArrays, PositionsFeedTextureCoordinatesOfClientArraysOnly)
{
    VertexArray client(96);
    client.defineVertexInfo(3, DT::DT_FLOAT);
    client.defineColorInfo(4, DT::DT_UBYTE);
    client.setUseVertexInfoAsTextureInfo(true);
    client.beginUsing();
    EXPECT_TRUE(enabled(GL_VERTEX_ARRAY) && enabled(GL_COLOR_ARRAY));
    EXPECT_TRUE(enabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_EQ(pointerOf(GL_TEXTURE_COORD_ARRAY_POINTER), client.componentPointer(0));
    EXPECT_EQ(pointerOf(GL_COLOR_ARRAY_POINTER), client.componentPointer(2));
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_STRIDE), 16);
    client.endUsing();
    EXPECT_FALSE(enabled(GL_VERTEX_ARRAY) || enabled(GL_COLOR_ARRAY) ||
                 enabled(GL_TEXTURE_COORD_ARRAY));

    OGL::AttributeArray attributes(new VertexArray(64));
    attributes.defineVertexInfo(3, DT::DT_FLOAT);
    attributes.defineAttrInfo(1, 2, DT::DT_SHORT);
    attributes.setUseVertexInfoAsTextureInfo(true);
    attributes.beginUsing();
    GLint on = 0, size = 0, stride = 0;
    glGetVertexAttribiv(4, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &on);
    glGetVertexAttribiv(4, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
    glGetVertexAttribiv(4, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
    EXPECT_EQ(on, 1);
    EXPECT_EQ(size, 2);
    EXPECT_EQ(stride, 16);
    EXPECT_FALSE(enabled(GL_TEXTURE_COORD_ARRAY)) << "the flag has no effect on attributes";
    attributes.endUsing();
    glGetVertexAttribiv(4, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &on);
    EXPECT_EQ(on, 0);
}

TEST_F(VertexArrays, BufferObjectsWithoutStorageMakeNoOpenGLCall)
{
    GLuint marker = 0;
    glGenBuffers(1, &marker);
    glBindBuffer(GL_ARRAY_BUFFER, marker);
    {
        OGL::VertexBufferObject empty(0, GL_STATIC_DRAW);
        EXPECT_EQ(empty.getBufferSize(), 0);
        OGL::forceExtensionOff(OGL::Extension::VertexBufferObject, true);
        OGL::VertexBufferObject unsupported(64, GL_STATIC_DRAW);
        EXPECT_EQ(unsupported.getBufferSize(), 0);
        EXPECT_EQ(unsupported.getBufferId(), 0u);
    }
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), static_cast<int>(marker));
    glDeleteBuffers(1, &marker);
}

TEST_F(VertexArrays, BufferObjectsHoldTheirDataAndDrawFromOffsets)
{
    GLuint name = 0;
    {
        OGL::VertexBufferObject buffer(4 * 16, GL_STATIC_DRAW);
        ASSERT_EQ(buffer.getBufferSize(), 64);
        name = buffer.getBufferId();
        EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0) << "unbound after construction";
        // Each vertex: one padding float, then x, y, z.
        const float vertices[] = {0, -1, -1, 0, 0, 1, -1, 0, 0, 1, 1, 0, 0, -1, 1, 0};
        buffer.defineAttrInfo(1, DT::DT_FLOAT);
        buffer.defineVertexInfo(3, DT::DT_FLOAT);
        buffer.beginUsing();
        EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), static_cast<int>(name));
        buffer.putData(vertices, sizeof(vertices), 0);
        float back[16] = {};
        buffer.getData(back, sizeof(back), 0);
        EXPECT_EQ(std::memcmp(back, vertices, sizeof(back)), 0);
        float second[3] = {};
        buffer.getVertices(second, 1, 20);
        EXPECT_EQ(second[0], 1);
        EXPECT_EQ(second[1], -1);
        EXPECT_EQ(pointerOf(GL_VERTEX_ARRAY_POINTER), reinterpret_cast<void*>(4));
        glDrawArrays(GL_QUADS, 0, 4);
        buffer.endUsing();
        EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
        EXPECT_TRUE(isWhite(WIDTH / 2, HEIGHT / 2));
        EXPECT_TRUE(glIsBuffer(name));
    }
    EXPECT_FALSE(glIsBuffer(name)) << "the destructor deletes the buffer";
}
