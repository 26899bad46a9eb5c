#include "TextColors.h"

#include <cmath>

namespace Tool {

namespace {

double linear(std::uint8_t component)
{
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::uint8_t mix(std::uint8_t from, std::uint8_t to, int step, int steps)
{
    return static_cast<std::uint8_t>(from + (to - from) * step / steps);
}

} // namespace

double TextColors::luminance(Util::RGBA color)
{
    return 0.2126 * linear(color.r) + 0.7152 * linear(color.g) + 0.0722 * linear(color.b);
}

double TextColors::contrast(Util::RGBA a, Util::RGBA b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

Util::RGBA TextColors::readableOn(Util::RGBA color, Util::RGBA background, double least)
{
    color.a = 255;
    // On a dark background words grow lighter, on a light one darker; the
    // far end (white or black) always reads against the middle grey or
    // beyond.
    const std::uint8_t end = luminance(background) < 0.18 ? 255 : 0;
    constexpr int STEPS = 64;
    for (int step = 0; step <= STEPS; ++step) {
        const Util::RGBA mixed(mix(color.r, end, step, STEPS), mix(color.g, end, step, STEPS),
                               mix(color.b, end, step, STEPS), 255);
        if (contrast(mixed, background) >= least) {
            return mixed;
        }
    }
    return Util::RGBA(end, end, end, 255);
}

} // namespace Tool
