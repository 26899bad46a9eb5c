#include "ArenaQuads.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Tool {

namespace {

// Columns scanned together: one cache line of each row, so that the scan
// reads the grid row by row while the quads still come out column by
// column.
constexpr int BLOCK = 64;

// Whether count bytes from row are all 0, eight at a time: most of a large
// played grid is free, and whole stretches of it are skipped this way.
bool allFree(const unsigned char* row, int count)
{
    std::uint64_t any = 0;
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, row + i, sizeof(word));
        any |= word;
    }
    for (; i < count; ++i) {
        any |= row[i];
    }
    return any == 0;
}

} // namespace

ArenaQuads::ArenaQuads(int columns, int rows)
    : columns(columns), rows(rows), screenHeight(0), cellWidth(0), cellHeight(0), left(0),
      bottom(0),
      // Default-initialised: no zero fill, so untouched pages stay unused.
      vertices(new float[static_cast<std::size_t>(columns) * rows * FLOATS_PER_QUAD])
{
}

void ArenaQuads::setScreenSize(int width, int height, bool squareCells)
{
    screenHeight = static_cast<float>(height);
    cellWidth = static_cast<float>(width) / columns;
    cellHeight = static_cast<float>(height) / rows;
    left = 0;
    bottom = 0;
    if (squareCells) {
        const float side = std::min(cellWidth, cellHeight);
        left = (width - side * columns) / 2;
        bottom = (height - side * rows) / 2;
        cellWidth = side;
        cellHeight = side;
    }
}

void ArenaQuads::put(int index, int x, int y)
{
    const float cw = cellWidth;
    const float ch = cellHeight;
    const float cx = left + cw * x + cw / 2;
    const float cy = screenHeight - bottom - (ch * y + ch / 2);
    const float hw = cw / 2;
    const float hh = ch / 2;
    const float quad[FLOATS_PER_QUAD] = {cx - hw, cy + hh, 0, cx - hw, cy - hh, 0,
                                         cx + hw, cy - hh, 0, cx + hw, cy + hh, 0};
    std::memcpy(&vertices[static_cast<std::size_t>(index) * FLOATS_PER_QUAD], quad, sizeof(quad));
}

int ArenaQuads::putFrame(int index, int x, int y, float reach)
{
    const float cx = left + cellWidth * x + cellWidth / 2;
    const float cy = screenHeight - bottom - (cellHeight * y + cellHeight / 2);
    const float half = std::max(1.0f, std::min(cellWidth, cellHeight) / 8);
    const float x0 = cx - reach * cellWidth, x1 = cx + reach * cellWidth;
    const float y0 = cy - reach * cellHeight, y1 = cy + reach * cellHeight;
    // Top, bottom, left, right: each an axis-aligned box, wound as the cells.
    const float bars[4][4] = {{x0 - half, y1 + half, x1 + half, y1 - half},
                              {x0 - half, y0 + half, x1 + half, y0 - half},
                              {x0 - half, y1 + half, x0 + half, y0 - half},
                              {x1 - half, y1 + half, x1 + half, y0 - half}};
    for (int bar = 0; bar < 4; ++bar) {
        const float l = bars[bar][0], t = bars[bar][1], r = bars[bar][2], b = bars[bar][3];
        const float quad[FLOATS_PER_QUAD] = {l, t, 0, l, b, 0, r, b, 0, r, t, 0};
        std::memcpy(&vertices[static_cast<std::size_t>(index + bar) * FLOATS_PER_QUAD], quad,
                    sizeof(quad));
    }
    return 4;
}

int ArenaQuads::fillBlocked(const unsigned char* grid)
{
    int count = 0;
    for (int x = 0; x < columns; x += BLOCK) {
        count = fillBlock(grid, x, std::min(BLOCK, columns - x), count);
    }
    return count;
}

// The block's quads in column order from position count on: a first pass
// counts each column's blocked cells, so each column's first position is
// known, and a second pass writes them, both reading row by row.
int ArenaQuads::fillBlock(const unsigned char* grid, int firstColumn, int columnCount, int count)
{
    int next[BLOCK] = {};
    for (int y = 0; y < rows; ++y) {
        const unsigned char* row = grid + static_cast<std::size_t>(y) * columns + firstColumn;
        if (allFree(row, columnCount)) {
            continue;
        }
        for (int c = 0; c < columnCount; ++c) {
            next[c] += row[c] != 0;
        }
    }
    for (int c = 0; c < columnCount; ++c) {
        const int blocked = next[c];
        next[c] = count;
        count += blocked;
    }
    for (int y = 0; y < rows; ++y) {
        const unsigned char* row = grid + static_cast<std::size_t>(y) * columns + firstColumn;
        if (allFree(row, columnCount)) {
            continue;
        }
        for (int c = 0; c < columnCount; ++c) {
            if (row[c] != 0) {
                put(next[c]++, firstColumn + c, y);
            }
        }
    }
    return count;
}

} // namespace Tool
