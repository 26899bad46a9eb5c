#pragma once

#include "Render/CellGridImage.h"
#include "Util/NonCopyable.h"

namespace OGL {

// A cell grid's picture in an OpenGL texture of one byte per cell
// (intensity, so free cells are (0, 0, 0, 0) and blocked ones white and
// opaque, as the quads of a cleared black window would show them). Each
// update sends only the row spans that changed; draw is one textured quad
// with nearest-texel sampling, so a pixel shows the cell its centre lies
// in, as the quads do. Owns its texture; needs the OpenGL context current
// from construction to destruction.
class CellGridTexture : public Render::CellGridImage, Util::NonCopyable<CellGridTexture> {
public:
    // Whether the driver takes a texture of width x height cells.
    static bool fits(int width, int height);

    CellGridTexture(int width, int height);
    ~CellGridTexture() override;

    void update(const unsigned char* cells, const int* marked, int markedCount) override;
    void draw(float width, float height) override;

private:
    void send();

    unsigned int texture;
    // The texture's size: the grid's, or the next powers of two where the
    // driver has no textures of other sizes.
    int textureWidth;
    int textureHeight;
};

} // namespace OGL
