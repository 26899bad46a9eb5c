#pragma once

#include <string>

namespace Text {

// How much room words take at a pixel size (the font's em in screen
// pixels), for code that places them before they are drawn. Sizes are
// whole pixels; so are the answers.
class I_TextMetrics {
public:
    virtual ~I_TextMetrics() {}

    // Width of the UTF-8 text from its first pen position to its last.
    virtual int width(const std::string& utf8, int pixelSize) = 0;
    // Above the baseline, and from the top of a line's box to the bottom.
    virtual int ascent(int pixelSize) = 0;
    virtual int lineHeight(int pixelSize) = 0;
};

} // namespace Text
