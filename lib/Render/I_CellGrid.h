#pragma once

namespace Render {

// A grid of cells drawn as one picture, one byte per cell, for views that
// would otherwise draw a quad per cell: the picture is brought up to date
// cell by cell and drawn as a single quad, so a frame's cost no longer
// grows with the number of blocked cells.
class I_CellGrid {
public:
    virtual ~I_CellGrid() {}

    // Brings the picture up to date with cells (width x height bytes, row 0
    // first; 0 is free and shown black, anything else blocked and shown
    // white), with the marked cells (indices y * width + x; out-of-range
    // indices are ignored) shown black whatever they hold. Only cells whose
    // shown value changed since the last update are sent on.
    virtual void update(const unsigned char* cells, const int* marked, int markedCount) = 0;

    // Draws the picture as one quad from (0, 0) to (width, height) of the
    // current coordinate system, row 0 along the top edge (y = height).
    virtual void draw(float width, float height) = 0;
};

} // namespace Render
