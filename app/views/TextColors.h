#pragma once

#include "Util/RGBA.h"

namespace Tool {

// Colours of words that read: the contrast of two colours by the WCAG
// formula (relative luminance of sRGB, (L1 + 0.05) / (L2 + 0.05)), and a
// colour brought to a contrast against its background by mixing it with
// white (on a dark background) or black (on a light one), so a player's
// words keep their hue while the trail keeps its colour. Holds no state.
class TextColors {
public:
    // The contrast words need: WCAG's for normal text.
    static constexpr double READABLE = 4.5;

    // Relative luminance, 0 (black) to 1 (white); alpha is ignored.
    static double luminance(Util::RGBA color);
    // 1 (equal) to 21 (black on white), whichever of the two is lighter.
    static double contrast(Util::RGBA a, Util::RGBA b);
    // color unchanged when it reads on background, else the least mix
    // towards white or black that does; opaque either way.
    static Util::RGBA readableOn(Util::RGBA color, Util::RGBA background, double least = READABLE);
};

} // namespace Tool
