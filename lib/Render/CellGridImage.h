#pragma once

#include <vector>

#include "Render/I_CellGrid.h"

namespace Render {

// A cell grid's picture kept in memory: one byte per cell as it is shown
// (0 black, 255 white), and after each update the row spans whose shown
// bytes changed, which is what a texture behind it has to be sent. Draws
// nothing itself: it is the picture of a game run without a display, and
// the base of the OpenGL texture that draws it (OGL::CellGridTexture).
// Owns its copies of the cells and of the picture.
class CellGridImage : public I_CellGrid {
public:
    static constexpr unsigned char SHOWN_FREE = 0;
    static constexpr unsigned char SHOWN_BLOCKED = 255;

    // Cells [first, first + count) of one row, sent by the last update.
    struct Span {
        int row;
        int first;
        int count;
    };

    // width and height of at least 1.
    CellGridImage(int width, int height);

    // The first update sends every row whole; later ones only what changed.
    void update(const unsigned char* cells, const int* marked, int markedCount) override;
    // Counts the call; there is nothing to draw on.
    void draw(float width, float height) override;

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // The picture, width x height bytes, row 0 first.
    const unsigned char* getShown() const { return shown.data(); }
    // The spans the last update sent, in row order, and their cells.
    const std::vector<Span>& getSentSpans() const { return spans; }
    long getSentCells() const;
    int getDrawCount() const { return drawCount; }

private:
    void takeChangedRows(const unsigned char* cells);
    void takeMarkers(const int* marked, int markedCount);
    void markDirty(int row, int first, int last);
    void reshowDirtyRows();

    int width;
    int height;
    // The cells as the last update saw them.
    std::vector<unsigned char> seen;
    std::vector<unsigned char> shown;
    // Per row, the changed range [first, last]; first > last when clean.
    std::vector<int> dirtyFirst;
    std::vector<int> dirtyLast;
    std::vector<int> shownMarked;
    std::vector<int> incomingMarked;
    std::vector<Span> spans;
    bool primed;
    int drawCount;
};

} // namespace Render
