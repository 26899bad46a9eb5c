#include "Render/OGL/GlyphAtlasTexture.h"

#include <GL/glew.h>

#include <vector>

#include "Render/OGL/Extensions.h"
#include "Util/RGBA.h"

namespace OGL {

namespace {

// Binds the texture for the scope and puts the one bound before back.
class BoundTexture {
public:
    explicit BoundTexture(GLuint texture)
    {
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &before);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    ~BoundTexture() { glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(before)); }
    BoundTexture(const BoundTexture&) = delete;
    BoundTexture& operator=(const BoundTexture&) = delete;

private:
    GLint before = 0;
};

bool powerOfTwo(int side)
{
    return side > 0 && (side & (side - 1)) == 0;
}

} // namespace

bool GlyphAtlasTexture::fits(int width, int height)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const bool sizeTaken =
        hasExtension(Extension::TextureNonPowerOfTwo) || (powerOfTwo(width) && powerOfTwo(height));
    return width >= 1 && height >= 1 && width <= largest && height <= largest && sizeTaken;
}

GlyphAtlasTexture::GlyphAtlasTexture(int width, int height)
    : Render::GlyphAtlasImage(width, height), texture(0)
{
    glGenTextures(1, &texture);
    BoundTexture bound(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    const std::vector<unsigned char> clearPicture(static_cast<std::size_t>(width) * height, 0);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, width, height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 clearPicture.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    drainErrors();
}

GlyphAtlasTexture::~GlyphAtlasTexture()
{
    glDeleteTextures(1, &texture);
}

void GlyphAtlasTexture::update(int x, int y, int blockWidth, int blockHeight,
                               const unsigned char* coverage)
{
    if (!inside(x, y, blockWidth, blockHeight) || coverage == nullptr) {
        return;
    }
    Render::GlyphAtlasImage::update(x, y, blockWidth, blockHeight, coverage);
    send(x, y, blockWidth, blockHeight, coverage);
}

void GlyphAtlasTexture::clear()
{
    Render::GlyphAtlasImage::clear();
    const std::vector<unsigned char> clearPicture(
        static_cast<std::size_t>(getWidth()) * getHeight(), 0);
    send(0, 0, getWidth(), getHeight(), clearPicture.data());
}

void GlyphAtlasTexture::send(int x, int y, int blockWidth, int blockHeight,
                             const unsigned char* coverage)
{
    if (blockWidth == 0 || blockHeight == 0) {
        return;
    }
    BoundTexture bound(texture);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, blockWidth, blockHeight, GL_ALPHA, GL_UNSIGNED_BYTE,
                    coverage);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void GlyphAtlasTexture::draw(const float* xyuv, unsigned int count, Util::RGBA const& color)
{
    Render::GlyphAtlasImage::draw(xyuv, count, color);
    if (count == 0) {
        return;
    }
    BoundTexture bound(texture);
    // Whatever the caller had switched on or off comes back as it was.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glColor4ub(color.r, color.g, color.b, color.a);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), xyuv);
    glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), xyuv + 2);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(count));
    glPopClientAttrib();
    glPopAttrib();
}

} // namespace OGL
