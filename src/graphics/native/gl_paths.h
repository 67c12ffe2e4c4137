#pragma once

// The few drawing operations whose OpenGL calls differ between desktop
// OpenGL 1.x and the browser's WebGL 2 under immediate-mode emulation, which
// has no pixel rectangles (glDrawPixels, glRasterPos), no texture proxies,
// no polygons and no lines wider than one pixel. Each platform's driver
// links the one file that suits it: gl_desktop_paths.cpp or
// ../webgl/webgl_paths.cpp.

#include "graphics/draw_transform.h"
#include "pixmap/pixmap.h"

#include <cstdint>

// The largest texture of at most width x height that the implementation
// accepts: each side above 1 is halved until it does. Raises "Unable to
// calculate tex size" when not even 1 x 1 is accepted.
void FitTextureSize(int32_t& width, int32_t& height);

// Where raw pixel rows land: the drawable pixels of one window pixel, and
// the projection's units of one window pixel.
struct TPixelRowPlacement {
    float drawablePerWindowX = 1.0f;
    float drawablePerWindowY = 1.0f;
    float unitsPerWindowX = 1.0f;
    float unitsPerWindowY = 1.0f;
};

// Draws RGBA 8888 rows as they are, with their top-left corner at window
// pixel (x, y), one row pixel per window pixel, untouched by the drawing
// colour and blend (the caller turns blending off and texturing off first).
// Leaves texturing off, but may leave another texture bound.
void DrawPixelRows(const TPixmap& rgba, int32_t x, int32_t y, const TPixelRowPlacement& placement);

// A straight line between two points of the projection, `drawableWidth`
// drawable pixels wide, in the current colour and blend. The points are
// pixel centres already.
void DrawLineSegment(TDrawPoint from, TDrawPoint to, float drawableWidth,
                     const TPixelRowPlacement& placement);

// The width of the lines drawn by GL_LINES from now on, in drawable pixels.
void ApplyLineWidth(float drawableWidth);

// The primitive that fills a convex outline given vertex by vertex.
unsigned ConvexFillPrimitive();
