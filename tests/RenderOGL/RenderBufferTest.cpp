#include <GL/glew.h>

#include <memory>

#include "GLContextFixture.h"
#include "RecordingController.h"
#include "Render/OGL/Extensions.h"
#include "Render/OGL/RenderBuffer.h"
#include "TestObjects.h"
#include "Util/RGBA.h"

using RB = Render::I_RenderBuffer;
using OGL::RenderBuffer;

namespace {

GLint attachment(GLenum parameter)
{
    GLint value = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, parameter, &value);
    return value;
}

} // namespace

class RenderBuffers : public GLContextTest {
protected:
    RecordingController controller{orthoView(WIDTH, HEIGHT)};
};

TEST_F(RenderBuffers, KindsDecideValidityWithoutATexture)
{
    const struct {
        int kind;
        bool valid;
    } cases[] = {{0, false}, {1, true},  {2, true},  {3, false}, {4, true}, {5, true},
                 {6, false}, {7, true},  {8, true},  {9, false}, {10, false}, {-1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        std::unique_ptr<RB> buffer(
            controller.createRenderBuffer(16, 16, static_cast<RB::RBType>(c.kind), nullptr, 0));
        EXPECT_EQ(buffer != nullptr, c.valid);
        EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0) << "the window is bound again";
    }
}

TEST_F(RenderBuffers, SidesUpToTheMaximumAreAccepted)
{
    const int maxSize = RenderBuffer::getMaxSize();
    EXPECT_EQ(maxSize, integer(GL_MAX_RENDERBUFFER_SIZE));
    EXPECT_TRUE(RenderBuffer(maxSize, 4, RB::RBUF_FB_RGBA, nullptr, 0).isValid());
    EXPECT_FALSE(RenderBuffer(maxSize + 1, 4, RB::RBUF_FB_RGBA, nullptr, 0).isValid());
    EXPECT_FALSE(RenderBuffer(4, maxSize + 1, RB::RBUF_FB_RGBA, nullptr, 0).isValid());
    EXPECT_FALSE(RenderBuffer(0, 4, RB::RBUF_FB_RGBA, nullptr, 0).isValid());
    EXPECT_FALSE(RenderBuffer(-4, 4, RB::RBUF_FB_RGBA, nullptr, 0).isValid());
    OGL::forceExtensionOff(OGL::Extension::FramebufferObject, true);
    EXPECT_FALSE(RenderBuffer(4, 4, RB::RBUF_FB_RGBA, nullptr, 0).isValid());
}

TEST_F(RenderBuffers, StatusTexts)
{
    EXPECT_EQ(RenderBuffer::statusText(GL_FRAMEBUFFER_COMPLETE), "");
    EXPECT_EQ(RenderBuffer::statusText(GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT),
              "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT");
    EXPECT_EQ(RenderBuffer::statusText(GL_FRAMEBUFFER_UNSUPPORTED),
              "GL_FRAMEBUFFER_UNSUPPORTED_EXT");
    EXPECT_EQ(RenderBuffer::statusText(0x8CD8), "Error: 0x8cd8");
}

TEST_F(RenderBuffers, DrawingGoesIntoTheTextureAndNotTheWindow)
{
    TestTexture texture(32, 32);
    std::unique_ptr<RB> buffer(controller.createRenderBuffer(32, 32, RB::RBUF_FB_TEX, &texture, 0));
    ASSERT_NE(buffer, nullptr);
    buffer->beginUsing(&texture, 0);
    glViewport(0, 0, 32, 32);
    controller.doClear(Util::RGBA(0, 255, 0, 255));
    buffer->endUsing();
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_TRUE(isBlack(5, 5));

    std::vector<unsigned char> texels(32 * 32 * 4, 0);
    glBindTexture(GL_TEXTURE_2D, texture.getTextureName());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(std::vector<unsigned char>(texels.begin(), texels.begin() + 4),
              std::vector<unsigned char>({0, 255, 0, 255}));
    EXPECT_EQ(texels[32 * 32 * 4 - 3], 255);
}

TEST_F(RenderBuffers, ReattachesOnlyForAnotherTextureOrLayer)
{
    TestTexture flat(8, 8);
    TestTexture other(8, 8);
    TestTexture deep(8, 8, 4);
    RenderBuffer buffer(8, 8, RB::RBUF_FB_TEX, &flat, 0);
    ASSERT_TRUE(buffer.isValid());

    // Swap the attachment behind the buffer's back: a call with the texture
    // already in use must leave it alone.
    buffer.beginUsing(&flat, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                           other.getTextureName(), 0);
    buffer.beginUsing(&flat, 0);
    EXPECT_EQ(attachment(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME),
              static_cast<GLint>(other.getTextureName()));
    buffer.beginUsing(nullptr, 0);
    EXPECT_EQ(attachment(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME),
              static_cast<GLint>(other.getTextureName()));

    buffer.beginUsing(&deep, 2);
    EXPECT_EQ(attachment(GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME),
              static_cast<GLint>(deep.getTextureName()));
    EXPECT_EQ(attachment(GL_FRAMEBUFFER_ATTACHMENT_TEXTURE_LAYER), 2);
    buffer.beginUsing(&deep, 3);
    EXPECT_EQ(attachment(GL_FRAMEBUFFER_ATTACHMENT_TEXTURE_LAYER), 3);
    buffer.endUsing();
}

TEST_F(RenderBuffers, BlitCopiesFromTheReadToTheDrawFramebuffer)
{
    std::unique_ptr<RB> buffer(controller.createRenderBuffer(16, 16, RB::RBUF_FB_RGBA, nullptr, 0));
    ASSERT_NE(buffer, nullptr);
    buffer->beginUsing(nullptr, 0);
    controller.doClear(Util::RGBA(255, 0, 0, 255));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    controller.blit(0, 0, 8, 8, 20, 20, 28, 28);
    buffer->endUsing();
    EXPECT_EQ(pixel(24, 24), std::vector<unsigned char>({255, 0, 0, 255}));
    EXPECT_TRUE(isBlack(30, 24));
}

class RenderBufferDeathTest : public GLContextTest {};

TEST_F(RenderBufferDeathTest, TextureWithAPlainKindEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TestTexture texture(8, 8);
    EXPECT_DEATH(RenderBuffer(8, 8, RB::RBUF_FB_RGBA, &texture, 0),
                 "ABORT: Func:OGL::RenderBuffer::RenderBuffer\\(int, int, "
                 "Render::I_RenderBuffer::RBType, MatSys::I_Texture\\*, int\\) "
                 "File:lib/Render/OGL/RenderBuffer Line: [0-9]+\nABORT: Must used RBUF_\\?_TEX "
                 "for RenderBuffer with texture");
    EXPECT_TRUE(RenderBuffer(8, 8, RB::RBUF_FB_TEX, &texture, 0).isValid());
}
