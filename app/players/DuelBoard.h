#pragma once

#include <cstdint>
#include <vector>

#include "GridSnapshot.h"

namespace Tool {

// A compact copy of part of a match's grid for one search: a window of the
// grid with a blocked ring around it, each cell a byte and each row also a
// run of 64-bit words (a set bit is a free cell), and the heads of two
// players. A move blocks the cell a head enters and undo frees it again, so
// a search plays its lines of moves without touching the match. The
// position's hash is built from the match checksum's fixed keys of the
// grid cells taken since the copy, and a key per head.
class DuelBoard {
public:
    // Copies the grid's cells from (x0, y0) to (x1, y1) (clipped to the
    // grid's inner part) with a blocked ring around them. Heads start where
    // place puts them.
    void load(const GridSnapshot& grid, int x0, int y0, int x1, int y1);
    // Puts player p's head (0 or 1) on a board cell without blocking it.
    void place(int p, int cell);
    // Moves player p's head onto a free board cell, blocking it.
    void move(int p, int cell);
    // Takes back player p's last move: frees its cell, the head goes to from.
    void undo(int p, int from);

    // The board cell of grid cell (x, y), which must lie in the window.
    int cellAt(int x, int y) const { return (y - originY) * width + (x - originX); }
    bool inWindow(int x, int y) const;
    bool isFree(int cell) const { return cells[cell] == 0; }
    int head(int p) const { return heads[p]; }
    int freeMoves(int cell, int* moves) const;
    int blockedAround(int cell) const;
    std::uint64_t hash() const;

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int size() const { return width * height; }
    // Free cells in the window when it was loaded.
    int freeCells() const { return loadedFree; }
    int wordsPerRow() const { return words; }
    // Free cells of row y as bits: bit x % 64 of word x / 64.
    const std::uint64_t* freeRow(int y) const { return freeBits.data() + y * words; }
    // Offsets of the headings up, down, left, right.
    const int* steps() const { return offsets; }

private:
    void setFree(int cell, bool free);
    std::uint64_t key(int cell, int owner) const;

    int width = 0;
    int height = 0;
    int words = 0;
    int originX = 0;
    int originY = 0;
    int gridWidth = 0;
    int offsets[4] = {0, 0, 0, 0};
    int heads[2] = {0, 0};
    std::uint64_t takenHash = 0;
    int loadedFree = 0;
    std::vector<unsigned char> cells;
    std::vector<std::uint64_t> freeBits;
};

} // namespace Tool
