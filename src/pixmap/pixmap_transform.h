#pragma once

// Whole-pixmap operations that make a new pixmap (rows aligned to 4 bytes)
// and leave the source untouched.

#include "pixmap/pixmap.h"

#include <cstdint>
#include <memory>

// An RGBA copy in which pixels of the key colour (r, g, b) become transparent.
// Their colour becomes the mean of their non-key neighbours (3 x 3 block), so
// that filtering across the edge of the transparent area does not darken it.
// Every other pixel becomes opaque.
std::shared_ptr<TPixmap> ApplyKeyColour(const TPixmap& source, int32_t r, int32_t g, int32_t b);

// Bilinear resampling to width x height in the source's format. Sample
// centres are aligned (the edges of both pictures coincide) and the edge
// pixels repeat outwards; each channel is rounded to the nearest value.
std::shared_ptr<TPixmap> ResizePixmap(const TPixmap& source, int32_t width, int32_t height);

// Nearest-neighbour resampling to width x height in the source's format:
// each target pixel takes the source pixel under its centre, so a picture
// scaled by whole factors comes back exactly.
std::shared_ptr<TPixmap> ResamplePixmapNearest(const TPixmap& source, int32_t width,
                                               int32_t height);

// The columns, or the rows, in reverse order.
std::shared_ptr<TPixmap> FlipPixmapHorizontally(const TPixmap& source);
std::shared_ptr<TPixmap> FlipPixmapVertically(const TPixmap& source);
