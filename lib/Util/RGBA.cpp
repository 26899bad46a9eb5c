#include "Util/RGBA.h"

namespace Util {

RGBA::RGBA() : r(0), g(0), b(0), a(0) {}

RGBA::RGBA(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha)
    : r(red), g(green), b(blue), a(alpha)
{
}

void RGBA::toFloats(float out[4]) const
{
    // Divided in double and then narrowed, so 255 gives exactly 1.0f.
    out[0] = static_cast<float>(r / 255.0);
    out[1] = static_cast<float>(g / 255.0);
    out[2] = static_cast<float>(b / 255.0);
    out[3] = static_cast<float>(a / 255.0);
}

bool RGBA::operator==(const RGBA& other) const
{
    return r == other.r && g == other.g && b == other.b && a == other.a;
}

} // namespace Util
