#include "Render/CellGridImage.h"

#include <algorithm>
#include <cstring>

namespace Render {

CellGridImage::CellGridImage(int width, int height)
    : width(width), height(height), seen(static_cast<std::size_t>(width) * height),
      shown(seen.size()), dirtyFirst(height, width), dirtyLast(height, -1), primed(false),
      drawCount(0)
{
}

void CellGridImage::update(const unsigned char* cells, const int* marked, int markedCount)
{
    spans.clear();
    takeChangedRows(cells);
    takeMarkers(marked, markedCount);
    reshowDirtyRows();
}

void CellGridImage::draw(float, float)
{
    ++drawCount;
}

long CellGridImage::getSentCells() const
{
    long cells = 0;
    for (const Span& span : spans) {
        cells += span.count;
    }
    return cells;
}

void CellGridImage::markDirty(int row, int first, int last)
{
    dirtyFirst[row] = std::min(dirtyFirst[row], first);
    dirtyLast[row] = std::max(dirtyLast[row], last);
}

void CellGridImage::takeChangedRows(const unsigned char* cells)
{
    const std::size_t rowBytes = static_cast<std::size_t>(width);
    for (int row = 0; row < height; ++row) {
        unsigned char* before = &seen[row * rowBytes];
        const unsigned char* now = cells + row * rowBytes;
        // Most rows of a running match are unchanged from one frame to the
        // next: one memcmp per row finds them at memory speed.
        if (primed && std::memcmp(before, now, rowBytes) == 0) {
            continue;
        }
        int first = 0;
        int last = width - 1;
        if (primed) {
            while (before[first] == now[first]) {
                ++first;
            }
            while (before[last] == now[last]) {
                --last;
            }
        }
        std::memcpy(before + first, now + first, static_cast<std::size_t>(last - first + 1));
        markDirty(row, first, last);
    }
    primed = true;
}

void CellGridImage::takeMarkers(const int* marked, int markedCount)
{
    const long cellCount = static_cast<long>(width) * height;
    // Filled in place of a new list, so that a steady frame allocates nothing.
    std::vector<int>& valid = incomingMarked;
    valid.clear();
    for (int k = 0; k < markedCount; ++k) {
        if (marked[k] >= 0 && marked[k] < cellCount) {
            valid.push_back(marked[k]);
        }
    }
    if (valid == shownMarked) {
        return;
    }
    // Cells that were marked show their own value again, new marks go black.
    for (int index : shownMarked) {
        markDirty(index / width, index % width, index % width);
    }
    for (int index : valid) {
        markDirty(index / width, index % width, index % width);
    }
    shownMarked.swap(valid);
}

void CellGridImage::reshowDirtyRows()
{
    for (int row = 0; row < height; ++row) {
        const int first = dirtyFirst[row];
        const int last = dirtyLast[row];
        if (first > last) {
            continue;
        }
        const std::size_t start = static_cast<std::size_t>(row) * width;
        for (int x = first; x <= last; ++x) {
            shown[start + x] = seen[start + x] != 0 ? SHOWN_BLOCKED : SHOWN_FREE;
        }
        spans.push_back(Span{row, first, last - first + 1});
        dirtyFirst[row] = width;
        dirtyLast[row] = -1;
    }
    // Marked cells are black whatever they hold, and a reshown span may
    // just have whitened one.
    for (int index : shownMarked) {
        shown[index] = SHOWN_FREE;
    }
}

} // namespace Render
