#pragma once

namespace Render {

// The complete description of the projection and the viewport. Each field
// except is3D has a keep value (0, or -1 for x, y and vsync) that tells the
// render controller's setViewData to leave the stored value alone, so a
// caller can change a few fields and keep the rest.
struct ViewData {
    float minZ;   // near clipping distance
    float maxZ;   // far clipping distance
    float fov;    // vertical field of view in degrees (perspective only)
    int x;        // viewport left, window pixels
    int y;        // viewport bottom, window pixels
    int width;    // viewport width, pixels
    int height;   // viewport height, pixels
    float zoomX;  // horizontal zoom factor
    float zoomY;  // vertical zoom factor (orthographic only)
    int vsync;    // swap interval request: 0 off, any other value on
    bool is3D;    // true: perspective projection; false: orthographic

    // Every field at its keep value, and perspective.
    ViewData();
};

} // namespace Render
