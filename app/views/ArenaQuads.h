#pragma once

#include <cstddef>
#include <memory>

namespace Tool {

// The arena's quads: a buffer with room for one quad per grid cell, filled
// with the quads of the blocked cells in column order (x outer, y inner) or
// with quads at given cells (the player markers). Its memory is taken but
// not written when it is made, so pages that no frame reaches are never
// touched. Owns the buffer.
class ArenaQuads {
public:
    // Floats per quad: four vertices of x, y, z.
    static constexpr int FLOATS_PER_QUAD = 12;

    ArenaQuads(int columns, int rows);

    // The cell size for a view of width x height: the arena fills it, or,
    // with square cells, fills it one way and is centred the other way.
    void setScreenSize(int width, int height, bool squareCells = false);

    // Fills the buffer from its start with the quads of the non-zero cells
    // of grid (columns x rows bytes, row 0 first); returns their number.
    int fillBlocked(const unsigned char* grid);
    // Writes the quad of cell (x, y) at position index.
    void put(int index, int x, int y);
    // Writes, from position index on, the four bars of a square frame
    // around cell (x, y): its edges reach cells from the cell's centre and
    // each bar is a quarter of a cell thick, at least two view units.
    // Returns the quads written (4).
    int putFrame(int index, int x, int y, float reach);

    const float* data() const { return vertices.get(); }

private:
    int fillBlock(const unsigned char* grid, int firstColumn, int columnCount, int count);

    int columns;
    int rows;
    float screenHeight;
    float cellWidth;
    float cellHeight;
    // Where the arena's lower left corner lies in the view.
    float left;
    float bottom;
    std::unique_ptr<float[]> vertices;
};

} // namespace Tool
