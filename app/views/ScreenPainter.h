#pragma once

#include "Render/Text/TextDrawer.h"
#include "ScreenLayout.h"

namespace Render {
class I_ClientArrayDraw;
class I_RenderController;
} // namespace Render

namespace Tool {

// Draws what ScreenLayout placed: the band and the panel as opaque boxes,
// then every row's words in the face "TEXT_FONT" names (a fontconfig
// pattern, or a font file: anything with a "/", from the folder the player
// started in or "~/"; absent: the machine's bold sans-serif), loaded at the
// first measure. When no face loads, one warning goes to the error
// stream and the block font draws. Shared by every view that puts words
// on screen, so they all read alike. Owns its text drawer; the render
// controller is not owned.
class ScreenPainter {
public:
    explicit ScreenPainter(Render::I_RenderController* renderController);

    // What the layout measures with: the face, once loaded.
    Text::I_TextMetrics& metrics();
    // Draws in a window of width x height; nothing without client arrays.
    void draw(const ScreenLayout::Result& placed, int width, int height);

private:
    void fill(const ScreenLayout::Box& box, Util::RGBA color, int height);

    Render::I_RenderController* renderController;
    Render::I_ClientArrayDraw* clientArrays;
    Text::TextDrawer text;
    bool loaded;
};

} // namespace Tool
