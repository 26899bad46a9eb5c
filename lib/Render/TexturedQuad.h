#pragma once

namespace Render {

// A quad of four corners, each position x, y, z then texture u, v; copied
// byte for byte (80 bytes) into a vertex array.
struct TexturedQuad {
    float corners[4][5];
};

static_assert(sizeof(TexturedQuad) == 80, "a textured quad is 80 bytes");

} // namespace Render
