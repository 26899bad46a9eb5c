#pragma once

#include <memory>

#include "Render/I_Texture.h"
#include "Render/I_VertexArray.h"
#include "Render/Material.h"
#include "Render/Mesh.h"
#include "Render/ViewBoxHelper.h"

// Small real stand-ins for the texture, mesh, material and view box that
// the render code is handed but that live outside it.

// A real OpenGL RGBA texture, 2D (depth 1) or 3D, deleted with the object.
class TestTexture : public MatSys::I_Texture {
public:
    TestTexture(int width, int height, int depth = 1);
    ~TestTexture() override;

    unsigned int getTextureName() const override { return m_name; }
    void getSize(int& width, int& height, int& depth) const override;

private:
    unsigned int m_name;
    int m_width;
    int m_height;
    int m_depth;
};

// Triangles in a vertex array the mesh owns.
class TestMesh : public ModelSys::Mesh {
public:
    TestMesh(Render::I_VertexArray* array, int first, int count)
        : m_array(array), m_first(first), m_count(count)
    {
    }

    Render::I_VertexArray* getVertexArray() const override { return m_array.get(); }
    int getFirstVertex() const override { return m_first; }
    int getVertexCount() const override { return m_count; }

private:
    std::unique_ptr<Render::I_VertexArray> m_array;
    int m_first;
    int m_count;
};

// A material that makes a colour current and counts how it was used.
class TestMaterial : public MatSys::Material {
public:
    void begin() override;
    void end() override;

    int begins = 0;
    int ends = 0;
};

class TestViewBox : public GameHelper::ViewBoxHelper {
public:
    TestViewBox(int x, int y, int width, int height) : m_x(x), m_y(y), m_w(width), m_h(height) {}

    void getRect(int& x, int& y, int& width, int& height) const override
    {
        x = m_x;
        y = m_y;
        width = m_w;
        height = m_h;
    }

private:
    int m_x, m_y, m_w, m_h;
};
