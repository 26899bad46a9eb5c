#pragma once

namespace Render {
class I_VertexArray;
}

namespace ModelSys {

// A drawable run of triangles in a vertex array. Meshes are made and owned
// outside the render code; the mesh keeps its vertex array.
class Mesh {
public:
    virtual ~Mesh() {}

    virtual Render::I_VertexArray* getVertexArray() const = 0;
    virtual int getFirstVertex() const = 0;
    virtual int getVertexCount() const = 0;
};

} // namespace ModelSys
