#pragma once

#include <cstdint>

namespace Util {

// A colour as four 8-bit components, red, green, blue and alpha (0 to 255).
struct RGBA {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
    std::uint8_t a;

    RGBA();
    RGBA(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 255);

    // The four components each divided by 255.0, in the order r, g, b, a,
    // as OpenGL's float colour calls take them.
    void toFloats(float out[4]) const;

    bool operator==(const RGBA& other) const;
    bool operator!=(const RGBA& other) const { return !(*this == other); }
};

} // namespace Util
