#pragma once

namespace Game {

// The rectangle a view occupies on the screen, in pixels.
struct ViewBox {
    int x;
    int y;
    int width;
    int height;
};

} // namespace Game
