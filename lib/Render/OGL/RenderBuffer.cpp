#include "Render/OGL/RenderBuffer.h"

#include <GL/glew.h>

#include "Render/I_Texture.h"
#include "Render/OGL/Extensions.h"
#include "Util/Abort.h"
#include "Util/StringHelpers.h"

namespace OGL {

namespace {

// Framebuffer binding point and render buffer storage of a kind; target 0
// for a kind outside 1 to 9.
struct KindInfo {
    unsigned int target;
    unsigned int storage;
    bool textureAllowed;
};

KindInfo kindInfo(Render::I_RenderBuffer::RBType kind)
{
    static const KindInfo table[] = {
        {GL_FRAMEBUFFER, GL_RGB, false},           {GL_FRAMEBUFFER, GL_RGBA, false},
        {GL_FRAMEBUFFER, GL_DEPTH_STENCIL, true},  {GL_READ_FRAMEBUFFER, GL_RGB, false},
        {GL_READ_FRAMEBUFFER, GL_RGBA, false},     {GL_READ_FRAMEBUFFER, GL_DEPTH_STENCIL, true},
        {GL_DRAW_FRAMEBUFFER, GL_RGB, false},      {GL_DRAW_FRAMEBUFFER, GL_RGBA, false},
        {GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL, true}};
    const int index = static_cast<int>(kind) - 1;
    if (index < 0 || index >= static_cast<int>(sizeof(table) / sizeof(table[0]))) {
        return KindInfo{0, 0, false};
    }
    return table[index];
}

} // namespace

RenderBuffer::RenderBuffer(int width, int height, Render::I_RenderBuffer::RBType kind,
                           MatSys::I_Texture* texture, int layer)
    : m_width(width), m_height(height), m_framebufferId(0), m_renderBufferId(0),
      m_textureId(texture ? texture->getTextureName() : 0), m_layer(layer), m_target(0)
{
    const KindInfo info = kindInfo(kind);
    if (info.target == 0 || !hasExtension(Extension::FramebufferObject)) {
        invalidate();
        return;
    }
    // A side of 0 or less can never give a complete framebuffer.
    if (width <= 0 || height <= 0 || width > getMaxSize() || height > getMaxSize()) {
        invalidate();
        return;
    }
    if (!info.textureAllowed && m_textureId != 0) {
        ABORT("Must used RBUF_?_TEX for RenderBuffer with texture");
    }
    m_target = info.target;
    glGenFramebuffers(1, &m_framebufferId);
    glBindFramebuffer(m_target, m_framebufferId);
    glGenRenderbuffers(1, &m_renderBufferId);
    glBindRenderbuffer(GL_RENDERBUFFER, m_renderBufferId);
    glRenderbufferStorage(GL_RENDERBUFFER, info.storage, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    if (texture != nullptr) {
        attachTexture(texture, layer);
    } else {
        glFramebufferRenderbuffer(m_target, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  m_renderBufferId);
    }
    // The reason is worked out but not shown: the caller only learns
    // "not valid" and falls back.
    if (!statusText(glCheckFramebufferStatus(m_target)).empty()) {
        invalidate();
    }
    glBindFramebuffer(m_target, 0);
}

RenderBuffer::~RenderBuffer()
{
    if (m_renderBufferId != 0) {
        glDeleteRenderbuffers(1, &m_renderBufferId);
    }
    if (m_framebufferId != 0) {
        glDeleteFramebuffers(1, &m_framebufferId);
    }
}

void RenderBuffer::invalidate()
{
    m_width = 0;
    m_height = 0;
}

bool RenderBuffer::isValid() const
{
    return m_width != 0 && m_height != 0;
}

void RenderBuffer::attachTexture(MatSys::I_Texture* texture, int layer)
{
    int width = 0;
    int height = 0;
    int depth = 0;
    texture->getSize(width, height, depth);
    if (depth > 1) {
        glFramebufferTexture3D(m_target, GL_COLOR_ATTACHMENT0, GL_TEXTURE_3D, m_textureId, 0,
                               layer);
    } else {
        glFramebufferTexture2D(m_target, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_textureId, 0);
    }
}

void RenderBuffer::beginUsing(MatSys::I_Texture* texture, int layer)
{
    // A render buffer that was never made has nothing to bind.
    if (m_framebufferId == 0) {
        return;
    }
    glBindFramebuffer(m_target, m_framebufferId);
    if (texture == nullptr) {
        return;
    }
    if (texture->getTextureName() == m_textureId && layer == m_layer) {
        return;
    }
    m_textureId = texture->getTextureName();
    int width = 0;
    int height = 0;
    int depth = 0;
    texture->getSize(width, height, depth);
    // Only a 3D texture has layers, so only then is the layer remembered.
    if (depth > 1) {
        m_layer = layer;
    }
    attachTexture(texture, layer);
}

void RenderBuffer::endUsing()
{
    if (m_framebufferId != 0) {
        glBindFramebuffer(m_target, 0);
    }
}

int RenderBuffer::getMaxSize()
{
    static int maxSize = -1;
    if (maxSize == -1) {
        GLint value = 0;
        glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &value);
        maxSize = value;
    }
    return maxSize;
}

std::string RenderBuffer::statusText(unsigned int status)
{
    switch (status) {
    case GL_FRAMEBUFFER_COMPLETE:
        return "";
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT";
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT";
    case GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT";
    case GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT";
    case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT";
    case GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT:
        return "GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT";
    case GL_FRAMEBUFFER_UNSUPPORTED_EXT:
        return "GL_FRAMEBUFFER_UNSUPPORTED_EXT";
    default:
        return "Error: " + Util::numToStr<int>(static_cast<int>(status), 16, 0);
    }
}

} // namespace OGL
