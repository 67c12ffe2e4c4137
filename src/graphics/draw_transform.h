#pragma once

// The 2 x 2 matrix every primitive, image quad and glyph goes through. It is
// applied on the CPU, so the arithmetic here is exactly what lands on screen.

#include <cstdint>

struct TDrawPoint {
    float x = 0;
    float y = 0;
};

struct TDrawTransform {
    float ix = 1;
    float iy = 0;
    float jx = 0;
    float jy = 1;

    // Scale first, along the drawing's own axes, then rotation. Degrees; with
    // y growing downwards a positive angle turns clockwise on the screen.
    static TDrawTransform FromRotationScale(float degrees, float scaleX, float scaleY);

    // The local point (x, y) placed at (tx, ty): (0, 0) lands on (tx, ty).
    TDrawPoint Apply(float x, float y, float tx, float ty) const {
        return {x * ix + y * iy + tx, x * jx + y * jy + ty};
    }
};
