#pragma once

namespace Render {

class I_VertexArray;
struct TexturedQuad;
struct TexturedQuadZTx;

// Makes vertex arrays. Each returns a new array owned by the caller, or
// null when none was made. size is in bytes; isStatic asks for storage
// suited to data written once (true) or rewritten often (false).
class I_CreateVertexArray {
public:
    virtual ~I_CreateVertexArray() {}

    // Position (3 floats), texture coordinates (2 floats), colour (4 floats).
    virtual I_VertexArray* createVTCArray(int size, bool isStatic) = 0;
    // No layout defined.
    virtual I_VertexArray* createVertexArray(int size, bool isStatic) = 0;
    // An array holding the quad: 80 bytes.
    virtual I_VertexArray* createTexturedQuadVA(TexturedQuad const& quad, bool isStatic) = 0;
    // An array holding the quad: 96 bytes.
    virtual I_VertexArray* createTexturedQuadVA(TexturedQuadZTx const& quad, bool isStatic) = 0;
    // Components bound as generic vertex attributes (for shaders).
    virtual I_VertexArray* createAttrArray(int size, bool isStatic) = 0;
    // An attribute array laid out for the sprite shader.
    virtual I_VertexArray* createSpriteShaderArray(int size, bool isStatic) = 0;
};

} // namespace Render
