#include "Render/Abilities.h"

namespace Render {

const char* abilityName(int ability)
{
    static const char* const names[ABILITY_COUNT] = {
        "HAVE_SHADERS",        "HAVE_NPOT_TEXTURES",  "HAVE_RTT",     "HAVE_FBOS",
        "HAVE_VBOS",           "HAVE_PBOS",           "HAVE_FRAME_BLIT", "HAVE_FLOAT_TEX",
        "MAX_TEXTURE_SIZE_2D", "MAX_TEXTURE_SIZE_3D", "MAX_RTT_SIZE", "MAX_FBO_SIZE",
        "MAX_PBO_SIZE"};
    if (ability < 0 || ability >= ABILITY_COUNT) {
        return "";
    }
    return names[ability];
}

} // namespace Render
