#pragma once

#include <string>
#include <vector>

#include "Util/RGBA.h"

namespace Render {
class I_ClientArrayDraw;
class I_RenderController;
} // namespace Render

namespace Tool {

// Lines of words in the built-in block font, placed in view units (y up)
// and drawn translucent over whatever is below, each on a dark box when
// backed. Shared by the views that put words on screen, so that they all
// read alike. Owns the lines and its vertex buffer; the render controller
// is not owned.
class TextLines {
public:
    // One line of text placed on the screen, in view units (y up).
    struct Line {
        std::string text;
        float left;
        float top;
        float pixelSize;
        Util::RGBA color;
        // On a dark box even when the lines are not backed.
        bool backed = false;
    };

    TextLines(Render::I_RenderController* renderController, bool backing);

    void clear() { lines.clear(); }
    void setScreenSize(int width, int height);
    // A line centred on centreX, its top at top.
    void add(const std::string& text, float centreX, float top, float pixelSize, Util::RGBA color);
    // A line centred in the window, at most largest per font pixel and never
    // wider than most of the window; backed puts it on a dark box whatever
    // the lines' backing.
    void addCentred(const std::string& text, float top, float largest, Util::RGBA color,
                    bool backed = false);
    const std::vector<Line>& getLines() const { return lines; }

    // Draws every line; nothing on a controller without client arrays.
    void draw();

private:
    void drawBacking(const Line& line);

    Render::I_RenderController* renderController;
    Render::I_ClientArrayDraw* clientArrays;
    bool backing;
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<Line> lines;
    std::vector<float> vertices;
};

} // namespace Tool
