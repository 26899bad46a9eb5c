#pragma once

#include "Math/Orientation.h"
#include "Math/Vector3.h"

namespace ModelSys {
class Mesh;
}
namespace MatSys {
class Material;
}

namespace Render {

// Draws meshes at a placement, with an optional material.
class I_RenderQueue {
public:
    virtual ~I_RenderQueue() {}

    virtual void add(MathStuff::Orientation<float> const& placement, ModelSys::Mesh const* mesh,
                     MatSys::Material* material) = 0;
    // offset is applied in the mesh's placed (scaled, rotated) frame.
    virtual void add(MathStuff::Orientation<float> const& placement,
                     MathStuff::Vector3<float> const& offset, ModelSys::Mesh const* mesh,
                     MatSys::Material* material) = 0;
};

} // namespace Render
