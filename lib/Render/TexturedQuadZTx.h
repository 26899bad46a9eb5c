#pragma once

namespace Render {

// A quad of four corners, each position x, y, z then texture u, v, w (for
// 3D textures); copied byte for byte (96 bytes) into a vertex array.
struct TexturedQuadZTx {
    float corners[4][6];
};

static_assert(sizeof(TexturedQuadZTx) == 96, "a 3D-textured quad is 96 bytes");

} // namespace Render
