#pragma once

namespace Render {

// Vertex data for drawing: up to seven interleaved components per vertex
// (position, texture coordinates, colour, four extra attributes) with
// byte access to the data. Sizes and offsets are in bytes.
class I_VertexArray {
public:
    // The component type of one vertex attribute.
    enum DataType : int { DT_FLOAT = 1, DT_UBYTE = 2, DT_SHORT = 3 };

    virtual ~I_VertexArray() {}

    // The array's size in bytes; 0 when no storage was made.
    virtual int getBufferSize() const = 0;

    // Each define appends a component (count and type) behind those defined so far.
    virtual void defineVertexInfo(int count, DataType type) = 0;
    virtual void defineTextureInfo(int count, DataType type) = 0;
    virtual void defineColorInfo(int count, DataType type) = 0;
    virtual void defineAttrInfo(int count, DataType type) = 0;
    // Extra attribute by index 0 to 3.
    virtual void defineAttrInfo(int index, int count, DataType type) = 0;
    // Also feed the positions as texture coordinates.
    virtual void setUseVertexInfoAsTextureInfo(bool use) = 0;

    // count vertices of three floats each, at a byte offset.
    virtual void getVertices(float* destination, int count, int offset) const = 0;
    virtual void putVertices(float const* source, int count, int offset) = 0;
    virtual void getData(void* destination, int bytes, int offset) const = 0;
    virtual void putData(void const* source, int bytes, int offset) = 0;

    // Bind the array for drawing, and unbind it again.
    virtual void beginUsing() const = 0;
    virtual void endUsing() const = 0;
};

} // namespace Render
