#pragma once

namespace Render {

class I_CellGrid;

// Makes cell-grid pictures (I_CellGrid). A render controller that can draw
// them offers this beside its own interface; a view finds it with a
// checked downcast and draws quads where there is none.
class I_CreateCellGrid {
public:
    virtual ~I_CreateCellGrid() {}

    // A picture of width x height cells, owned by the caller; null when
    // the controller cannot hold one that large.
    virtual I_CellGrid* createCellGrid(int width, int height) = 0;
};

} // namespace Render
