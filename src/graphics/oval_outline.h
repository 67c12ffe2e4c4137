#pragma once

// The polygon a filled ellipse is drawn as.

#include "graphics/draw_transform.h"

#include <vector>

// The outline of the ellipse inside the local box (x0, y0)-(x1, y1),
// counter-clockwise from the right-most point, with one point per unit of
// the half sizes' sum, at least 12, and a multiple of 4 so that the four
// extreme points are always on it.
std::vector<TDrawPoint> OvalOutline(float x0, float y0, float x1, float y1);
