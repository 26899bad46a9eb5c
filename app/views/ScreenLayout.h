#pragma once

#include <string>
#include <vector>

#include "ScreenWords.h"
#include "Util/RGBA.h"

namespace Text {
class I_TextMetrics;
}

namespace Tool {

// The one piece that places words on the screen, for every screen of the
// game: it knows the window's size and what the words measure in the face,
// and gives each row a box, so no two boxes overlap, nothing runs off the
// window, no word is drawn smaller than MIN_PIXEL_SIZE and every colour
// reads on what is behind it (TextColors::READABLE). The band of labels
// runs along the top of the window above the arena (bandHeight says how
// tall, so the arena can make room); the panel is an opaque box in the
// rest, its rows centred one under another, its list in columns and, when
// they are full, in pages with a line that says which. Rows that are too
// wide are drawn smaller, down to the least size, then cut short with
// "..."; a panel that is too tall is drawn smaller, then loses its last
// rows. Boxes are in window pixels, y growing downward. Holds no state.
class ScreenLayout {
public:
    static constexpr int MIN_PIXEL_SIZE = 13;

    // The opaque colours behind the words.
    static const Util::RGBA PANEL;
    static const Util::RGBA BAND;

    struct Box {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;

        int right() const { return left + width; }
        int bottom() const { return top + height; }
        bool overlaps(const Box& other) const;
        bool insideWindow(int windowWidth, int windowHeight) const;
    };

    // One row placed: its words as drawn (maybe cut short), its box (the
    // line's, from the top of its ascent to the bottom of its descent), its
    // size, the colour drawn and the colour behind it.
    struct Placed {
        std::string text;
        Box box;
        int pixelSize = 0;
        Util::RGBA color;
        Util::RGBA background;
    };

    struct Result {
        // Height 0 without labels; width 0 without a panel.
        Box band;
        Box panel;
        std::vector<Placed> texts;
        // The list's page shown (after clamping), how many pages it has and
        // which entries are shown.
        int listPage = 0;
        int listPages = 1;
        int listFirst = 0;
        int listShown = 0;
    };

    // The band's height for a number of labels in a window, 0 for none: a
    // function of the window and the count alone, so the arena can make
    // room before any word is measured.
    static int bandHeight(int windowWidth, int windowHeight, int labels);

    static Result place(const ScreenWords& words, int windowWidth, int windowHeight,
                        Text::I_TextMetrics& metrics);
};

} // namespace Tool
