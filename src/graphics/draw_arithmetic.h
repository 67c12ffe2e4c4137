#pragma once

// The conversions between the drawing state and what the driver is sent:
// colour and alpha bytes, and the clip rectangle in window pixels.

#include <cstdint>

// Clamped to 0..255.
uint8_t ColourByte(int32_t value);

// Clamped to 0..1 (anything that is not a number counts as 1), then scaled to
// 0..255 by truncation: 0.5 gives 127.
uint8_t AlphaByte(float alpha);

struct TPixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;

    bool operator==(const TPixelRect&) const = default;
};

// A clip rectangle in logical units as window pixels, given the logical units
// per window pixel. Both edges are floored, so adjacent rectangles share no
// pixel and leave none out.
TPixelRect ClipRectToPixels(int32_t x, int32_t y, int32_t w, int32_t h, float unitsPerPixelX,
                            float unitsPerPixelY);
