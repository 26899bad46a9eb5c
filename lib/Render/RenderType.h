#pragma once

namespace Render {

// The primitive kind of a draw call. Any other value draws nothing (the
// fixed underlying type makes every int a valid value to pass).
enum RenderType : int {
    RENDER_POINTS = 0,
    RENDER_LINES = 1,
    RENDER_TRIANGLES = 2,
    RENDER_QUADS = 3,
    RENDER_TRIANGLE_STRIP = 4,
    RENDER_TRIANGLE_FAN = 5
};

} // namespace Render
