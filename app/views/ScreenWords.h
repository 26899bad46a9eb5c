#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Util/RGBA.h"

namespace Tool {

// What one screen says, as rows for the layout (ScreenLayout) to place:
// labels in a band above the arena (names and wins), and a panel over the
// arena with rows at its head, a list that flows into columns and pages
// (an online lobby's clients) and rows at its tail. A new screen or a new
// word is a new row here; where it goes is the layout's business. Colours
// are what the words are about (a player's colour, white); the layout
// makes each one read on its background. Holds values only.
struct ScreenWords {
    // The size of a row's words, from a countdown's digit down to a hint.
    enum Size { HUGE, TITLE, LINE, SMALL };
    // Where the panel sits in the arena's part of the window.
    enum Place { CENTRE, TOP, BOTTOM };

    struct Row {
        Row() = default;
        Row(std::string text, Size size, Util::RGBA color = Util::RGBA(255, 255, 255, 255))
            : text(std::move(text)), color(color), size(size)
        {
        }

        std::string text;
        Util::RGBA color = Util::RGBA(255, 255, 255, 255);
        Size size = LINE;
        // Bytes at the end of the text that stay whole when it is cut short
        // (a label's wins after its name).
        std::size_t keptEnd = 0;
    };

    std::vector<Row> band;
    std::vector<Row> head;
    std::vector<Row> list;
    std::vector<Row> tail;
    // The list's page to show (clamped to its pages).
    int listPage = 0;
    Place place = CENTRE;

    bool hasPanel() const { return !head.empty() || !list.empty() || !tail.empty(); }
};

} // namespace Tool
