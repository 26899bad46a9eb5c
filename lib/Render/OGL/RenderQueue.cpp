#include "Render/OGL/RenderQueue.h"

#include <GL/glew.h>

#include "Math/Matrix4x4.h"
#include "Render/I_VertexArray.h"
#include "Render/Material.h"
#include "Render/Mesh.h"

namespace Render {
namespace OGL {

namespace {

// The mesh's z axis along direction, y along up, x along up × direction,
// each scaled, and its origin at the position.
MathStuff::Matrix4x4<float> placementMatrix(MathStuff::Orientation<float> const& placement)
{
    MathStuff::Matrix4x4<float> matrix;
    matrix.setColumn(0, MathStuff::cross(placement.up, placement.direction) * placement.scale.x,
                     0);
    matrix.setColumn(1, placement.up * placement.scale.y, 0);
    matrix.setColumn(2, placement.direction * placement.scale.z, 0);
    matrix.setColumn(3, placement.position, 1);
    return matrix;
}

} // namespace

RenderQueue::RenderQueue() {}

RenderQueue::~RenderQueue() {}

void RenderQueue::add(MathStuff::Orientation<float> const& placement, ModelSys::Mesh const* mesh,
                      MatSys::Material* material)
{
    add(placement, MathStuff::Vector3<float>(0, 0, 0), mesh, material);
}

void RenderQueue::add(MathStuff::Orientation<float> const& placement,
                      MathStuff::Vector3<float> const& offset, ModelSys::Mesh const* mesh,
                      MatSys::Material* material)
{
    // Without a mesh or its vertex array there is nothing to draw.
    Render::I_VertexArray* vertices = mesh ? mesh->getVertexArray() : nullptr;
    if (vertices == nullptr) {
        return;
    }
    if (material != nullptr) {
        material->begin();
    }
    glPushMatrix();
    glMultMatrixf(placementMatrix(placement).data());
    glMultMatrixf(MathStuff::Matrix4x4<float>::translation(offset).data());
    vertices->beginUsing();
    glDrawArrays(GL_TRIANGLES, mesh->getFirstVertex(), mesh->getVertexCount());
    vertices->endUsing();
    glPopMatrix();
    if (material != nullptr) {
        material->end();
    }
}

} // namespace OGL
} // namespace Render
