#include "DuelBoard.h"

#include <algorithm>

#include "app/match/CellKeys.h"

namespace Tool {

void DuelBoard::load(const GridSnapshot& grid, int x0, int y0, int x1, int y1)
{
    x0 = std::max(x0, 1);
    y0 = std::max(y0, 1);
    x1 = std::min(x1, grid.width - 2);
    y1 = std::min(y1, grid.height - 2);
    // The ring: one blocked cell on every side of the window.
    originX = x0 - 1;
    originY = y0 - 1;
    width = x1 - x0 + 3;
    height = y1 - y0 + 3;
    words = (width + 63) / 64;
    gridWidth = grid.width;
    offsets[0] = -width;
    offsets[1] = width;
    offsets[2] = -1;
    offsets[3] = 1;
    cells.assign(static_cast<std::size_t>(width) * height, 1);
    freeBits.assign(static_cast<std::size_t>(words) * height, 0);
    loadedFree = 0;
    for (int y = y0; y <= y1; ++y) {
        const unsigned char* row = grid.cells + grid.index(0, y);
        unsigned char* into = cells.data() + cellAt(x0, y);
        std::uint64_t* bits = freeBits.data() + static_cast<std::size_t>(y - originY) * words;
        for (int x = x0; x <= x1; ++x) {
            const bool free = row[x] == 0;
            loadedFree += free ? 1 : 0;
            into[x - x0] = free ? 0 : 1;
            const int bx = x - originX;
            bits[bx / 64] |= static_cast<std::uint64_t>(free) << (bx % 64);
        }
    }
    takenHash = 0;
    heads[0] = heads[1] = 0;
}

bool DuelBoard::inWindow(int x, int y) const
{
    return x > originX && y > originY && x < originX + width - 1 && y < originY + height - 1;
}

void DuelBoard::setFree(int cell, bool free)
{
    cells[cell] = free ? 0 : 1;
    const int x = cell % width;
    std::uint64_t& word = freeBits[static_cast<std::size_t>(cell / width) * words + x / 64];
    const std::uint64_t bit = std::uint64_t{1} << (x % 64);
    word = free ? word | bit : word & ~bit;
}

std::uint64_t DuelBoard::key(int cell, int owner) const
{
    // Keyed by the grid's index, so the same position in another window
    // hashes the same.
    const int x = cell % width + originX;
    const int y = cell / width + originY;
    return CellKeys::cell(static_cast<std::size_t>(y) * gridWidth + x, owner);
}

void DuelBoard::place(int p, int cell)
{
    heads[p] = cell;
}

void DuelBoard::move(int p, int cell)
{
    setFree(cell, false);
    heads[p] = cell;
    takenHash ^= key(cell, 0);
}

void DuelBoard::undo(int p, int from)
{
    const int cell = heads[p];
    takenHash ^= key(cell, 0);
    setFree(cell, true);
    heads[p] = from;
}

int DuelBoard::freeMoves(int cell, int* moves) const
{
    int count = 0;
    for (int offset : offsets) {
        if (cells[cell + offset] == 0) {
            moves[count++] = cell + offset;
        }
    }
    return count;
}

int DuelBoard::blockedAround(int cell) const
{
    int blocked = 0;
    for (int offset : offsets) {
        blocked += cells[cell + offset] != 0 ? 1 : 0;
    }
    return blocked;
}

std::uint64_t DuelBoard::hash() const
{
    return takenHash ^ key(heads[0], 1) ^ key(heads[1], 2);
}

} // namespace Tool
