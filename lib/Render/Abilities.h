#pragma once

namespace Render {

// The numbers of the render abilities: int-valued facts about the rendering
// hardware, published under these names with "INFO_" in front. Flags are
// 1 or 0, sizes are in pixels. The numbering is fixed (note FBOS 3 before
// VBOS 4, FRAME_BLIT 6 before FLOAT_TEX 7).
enum Ability {
    HAVE_SHADERS = 0,
    HAVE_NPOT_TEXTURES = 1,
    HAVE_RTT = 2,
    HAVE_FBOS = 3,
    HAVE_VBOS = 4,
    HAVE_PBOS = 5,
    HAVE_FRAME_BLIT = 6,
    HAVE_FLOAT_TEX = 7,
    MAX_TEXTURE_SIZE_2D = 8,
    MAX_TEXTURE_SIZE_3D = 9,
    MAX_RTT_SIZE = 10,
    MAX_FBO_SIZE = 11,
    MAX_PBO_SIZE = 12,
    ABILITY_COUNT = 13
};

} // namespace Render
