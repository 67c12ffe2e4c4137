#pragma once

// How a frame drawn for the window size a program asked for is shown in a
// drawable of another size (a window the user resized, a full screen, a
// high-density display). The logical surface is shown at the largest whole
// number of drawable pixels per logical unit that fits, centred, with black
// bars around it, so pixels stay square and crisp. Everything the program
// gives in window pixels (the clip rectangle, grabbed and drawn pixmaps, the
// pointer) keeps its meaning for the size it asked for, mapped into the
// picture.

#include "graphics/draw_arithmetic.h"

#include <array>
#include <cstdint>

struct TPresentation {
    // The picture's rectangle in the drawable, rows counted from the top.
    TPixelRect picture;
    // Drawable pixels per window pixel of the size the program asked for.
    double scaleX = 1.0;
    double scaleY = 1.0;
    // The drawable's size.
    int32_t drawableWidth = 0;
    int32_t drawableHeight = 0;

    // A rectangle of window pixels as drawable pixels, rows from the top.
    // Edges are rounded, so rectangles that meet still meet.
    TPixelRect Map(int32_t x, int32_t y, int32_t w, int32_t h) const;
    // The parts of the drawable around the picture (some may be empty).
    std::array<TPixelRect, 4> Bars() const;
    bool operator==(const TPresentation&) const = default;
};

// `window` is the size the program asked for; a logical size of 0 (none
// set) is the window's own. When the drawable is the window's size the
// presentation is the identity; when not even one drawable pixel per logical
// unit fits, the window is fitted whole, keeping its shape.
TPresentation PresentationFor(int32_t windowWidth, int32_t windowHeight, double logicalWidth,
                              double logicalHeight, int32_t drawableWidth, int32_t drawableHeight);
