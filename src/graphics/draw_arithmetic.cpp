#include "graphics/draw_arithmetic.h"

#include "util/numeric.h"

#include <algorithm>
#include <cmath>

uint8_t ColourByte(int32_t value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

uint8_t AlphaByte(float alpha) {
    // Written as "not <= 1" and "not >= 0" so that a NaN ends up as 1.
    if (!(alpha <= 1.0f)) {
        alpha = 1.0f;
    }
    if (!(alpha >= 0.0f)) {
        alpha = 0.0f;
    }
    return static_cast<uint8_t>(TruncToInt(alpha * 255.0f));
}

TPixelRect ClipRectToPixels(int32_t x, int32_t y, int32_t w, int32_t h, float unitsPerPixelX,
                            float unitsPerPixelY) {
    // In single precision, as the scales are stored: 5 units at 0.2 units per
    // pixel must give 25 pixels, which double precision would floor to 24
    // (0.2 is a little more than a fifth as a float).
    const auto pixels = [](int64_t units, float unitsPerPixel) {
        return TruncToInt(std::floor(static_cast<float>(units) / unitsPerPixel));
    };
    const int32_t x0 = pixels(x, unitsPerPixelX);
    const int32_t y0 = pixels(y, unitsPerPixelY);
    const int32_t x1 = pixels(int64_t{x} + w, unitsPerPixelX);
    const int32_t y1 = pixels(int64_t{y} + h, unitsPerPixelY);
    return {x0, y0, x1 - x0, y1 - y0};
}
