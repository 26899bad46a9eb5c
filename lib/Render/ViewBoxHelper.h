#pragma once

namespace GameHelper {

// A rectangle of the window that something is drawn in.
class ViewBoxHelper {
public:
    virtual ~ViewBoxHelper() {}

    // The rectangle in window pixels: left, bottom, width, height.
    virtual void getRect(int& x, int& y, int& width, int& height) const = 0;
};

} // namespace GameHelper
