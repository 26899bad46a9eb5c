#pragma once

#include "Render/I_RenderQueue.h"

namespace Render {
namespace OGL {

// Draws a mesh at a placement at once (it keeps nothing, despite its
// name), onto the current OpenGL matrix. Owned by the OpenGL controller.
class RenderQueue : public I_RenderQueue {
public:
    RenderQueue();
    ~RenderQueue() override;

    void add(MathStuff::Orientation<float> const& placement, ModelSys::Mesh const* mesh,
             MatSys::Material* material) override;
    void add(MathStuff::Orientation<float> const& placement,
             MathStuff::Vector3<float> const& offset, ModelSys::Mesh const* mesh,
             MatSys::Material* material) override;
};

} // namespace OGL
} // namespace Render
