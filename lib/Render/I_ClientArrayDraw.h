#pragma once

#include "Render/RenderType.h"

namespace Render {

// Draws straight from vertices in the program's own memory (a client-side array), for geometry
// rebuilt every frame, where filling a vertex buffer first would only add a copy. An ability of
// some render controllers beside their fixed set of operations: a caller finds it on its
// controller with a dynamic_cast, and draws nothing where the controller has none.
class I_ClientArrayDraw {
public:
    virtual ~I_ClientArrayDraw() {}

    // Draws count vertices of the kind from xyz: three floats per vertex, tightly packed.
    // xyz is read during the call only.
    virtual void drawClientArray(RenderType kind, const float* xyz, unsigned int count) = 0;
};

} // namespace Render
