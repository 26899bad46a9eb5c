#include "Render/OGL/CellGridTexture.h"

#include <GL/glew.h>

#include "Render/OGL/Extensions.h"

namespace OGL {

namespace {

int textureSide(int cells)
{
    if (hasExtension(Extension::TextureNonPowerOfTwo)) {
        return cells;
    }
    int side = 1;
    while (side < cells) {
        side *= 2;
    }
    return side;
}

// Above this many changed rows, one upload of the rows from the first to
// the last changed one costs less than a call per row.
int wholeUploadRows(int height)
{
    return height / 8 + 1;
}

} // namespace

bool CellGridTexture::fits(int width, int height)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return width >= 1 && height >= 1 && textureSide(width) <= largest &&
           textureSide(height) <= largest;
}

CellGridTexture::CellGridTexture(int width, int height)
    : Render::CellGridImage(width, height), texture(0), textureWidth(textureSide(width)),
      textureHeight(textureSide(height))
{
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // Storage only: the first update sends every cell.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_INTENSITY8, textureWidth, textureHeight, 0, GL_LUMINANCE,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    drainErrors();
}

CellGridTexture::~CellGridTexture()
{
    glDeleteTextures(1, &texture);
}

void CellGridTexture::update(const unsigned char* cells, const int* marked, int markedCount)
{
    Render::CellGridImage::update(cells, marked, markedCount);
    if (!getSentSpans().empty()) {
        send();
    }
}

void CellGridTexture::send()
{
    GLint bound = 0;
    GLint alignment = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const std::vector<Span>& spans = getSentSpans();
    const unsigned char* shown = getShown();
    const int width = getWidth();
    if (static_cast<int>(spans.size()) > wholeUploadRows(getHeight())) {
        const int first = spans.front().row;
        const int rows = spans.back().row - first + 1;
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, first, width, rows, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                        shown + static_cast<std::size_t>(first) * width);
    } else {
        for (const Span& span : spans) {
            glTexSubImage2D(GL_TEXTURE_2D, 0, span.first, span.row, span.count, 1, GL_LUMINANCE,
                            GL_UNSIGNED_BYTE,
                            shown + static_cast<std::size_t>(span.row) * width + span.first);
        }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

void CellGridTexture::draw(float width, float height)
{
    // The grid's share of the texture, which is larger where its sides
    // had to be powers of two.
    const float right = static_cast<float>(getWidth()) / textureWidth;
    const float bottom = static_cast<float>(getHeight()) / textureHeight;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // Counter-clockwise like the cell quads (top left, bottom left, bottom
    // right, top right), so culling treats it the same way.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(0, height, 0);
    glTexCoord2f(0, bottom);
    glVertex3f(0, 0, 0);
    glTexCoord2f(right, bottom);
    glVertex3f(width, 0, 0);
    glTexCoord2f(right, 0);
    glVertex3f(width, height, 0);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

} // namespace OGL
