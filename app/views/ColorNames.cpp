#include "ColorNames.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace Tool {

namespace {

// A hue's name from the hue (degrees) where it begins.
struct HueName {
    double from;
    const char* name;
};

const HueName HUES[] = {{0, "RED"},       {15, "ORANGE"}, {45, "YELLOW"}, {70, "LIME"},
                        {95, "GREEN"},    {160, "CYAN"},  {195, "BLUE"},  {255, "PURPLE"},
                        {285, "MAGENTA"}, {320, "PINK"},  {345, "RED"}};

} // namespace

std::string ColorNames::nameOf(Util::RGBA color)
{
    const double r = color.r / 255.0, g = color.g / 255.0, b = color.b / 255.0;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    const double chroma = high - low;
    if (chroma < 0.15) {
        return high > 0.8 ? "WHITE" : high < 0.2 ? "BLACK" : "GREY";
    }
    double hue = 0;
    if (high == r) {
        hue = 60 * std::fmod((g - b) / chroma + 6, 6.0);
    } else if (high == g) {
        hue = 60 * ((b - r) / chroma + 2);
    } else {
        hue = 60 * ((r - g) / chroma + 4);
    }
    const char* name = HUES[0].name;
    for (const HueName& entry : HUES) {
        if (hue >= entry.from) {
            name = entry.name;
        }
    }
    // A dark orange reads as brown.
    if (std::string(name) == "ORANGE" && high < 0.55) {
        return "BROWN";
    }
    return name;
}

std::vector<std::string> ColorNames::labels(const std::vector<Util::RGBA>& colors, int players)
{
    std::vector<std::string> out;
    std::map<std::string, int> uses;
    for (int k = 0; k < players; ++k) {
        const bool coloured = static_cast<std::size_t>(k) < colors.size();
        out.push_back(coloured ? nameOf(colors[static_cast<std::size_t>(k)]) : std::string());
        ++uses[out.back()];
    }
    for (int k = 0; k < players; ++k) {
        std::string& label = out[static_cast<std::size_t>(k)];
        if (label.empty() || uses[label] > 1) {
            label = "PLAYER " + std::to_string(k + 1);
        }
    }
    return out;
}

} // namespace Tool
