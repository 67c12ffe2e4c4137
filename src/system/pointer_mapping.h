#pragma once

// Where the pixels of the window size a program asked for lie in a window's
// own pixels or points, once the window has been resized or made full screen:
// a pointer at p is at the program's window pixel (p - origin) / scale.

#include <cmath>
#include <cstdint>

struct TPointerMapping {
    double originX = 0.0;
    double originY = 0.0;
    double scaleX = 1.0;
    double scaleY = 1.0;

    // A window position as the program's window pixel.
    void ToProgramPixel(int32_t& x, int32_t& y) const {
        x = static_cast<int32_t>(std::floor((x - originX) / scaleX));
        y = static_cast<int32_t>(std::floor((y - originY) / scaleY));
    }
    // A program's window pixel as the window's position, for warping.
    void ToWindowPoint(int32_t& x, int32_t& y) const {
        x = static_cast<int32_t>(std::lround(originX + x * scaleX));
        y = static_cast<int32_t>(std::lround(originY + y * scaleY));
    }
};
