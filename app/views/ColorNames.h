#pragma once

#include <string>
#include <vector>

#include "Util/RGBA.h"

namespace Tool {

// The names the words give players' colours ("YOU ARE BLUE"): the nearest
// of a dozen plain colour names by hue, lightness and saturation, so any
// "PLAYER_COLORS" value gets the name a person would use. Holds no state.
class ColorNames {
public:
    // "BLUE", "ORANGE", "GREEN", "PINK", ... ("WHITE", "GREY" or "BLACK"
    // for colours with little hue).
    static std::string nameOf(Util::RGBA color);
    // Each player's label in words that name a winner: the colour's name
    // where no other player's colour has the same name, else "PLAYER k+1";
    // "PLAYER k+1" for all when there are no colours.
    static std::vector<std::string> labels(const std::vector<Util::RGBA>& colors, int players);
};

} // namespace Tool
