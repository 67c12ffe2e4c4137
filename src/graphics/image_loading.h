#pragma once

// Making images from pictures: a whole picture as one frame, or a strip cut
// into frames, with the settings that images loaded from now on take.

#include "graphics/image.h"
#include "io/url.h"
#include "pixmap/pixmap.h"

#include <cstdint>
#include <memory>

// A one-frame image of the picture at `source`, or of the pixmap itself
// (which the image then keeps as its frame's pixmap, unless key-coloured).
// Flags -1 stand for AutoImageFlags(). Null when the source cannot be read
// as a picture.
std::shared_ptr<TImage> LoadImageFile(const TUrl& source, int32_t flags);
std::shared_ptr<TImage> LoadImageFile(std::shared_ptr<TPixmap> source, int32_t flags);

// An image of `count` frames cut from the picture's cells of
// cellWidth x cellHeight, read left to right and then top to bottom,
// starting at cell `first`. Null when the source cannot be read or holds
// fewer cells than asked for (or the cell size is not positive).
std::shared_ptr<TImage> LoadImageStrip(const TUrl& source, int32_t cellWidth, int32_t cellHeight,
                                       int32_t first, int32_t count, int32_t flags);
std::shared_ptr<TImage> LoadImageStrip(std::shared_ptr<TPixmap> source, int32_t cellWidth,
                                       int32_t cellHeight, int32_t first, int32_t count,
                                       int32_t flags);

// When on, images are centred on their handle as they are loaded. Off at start.
void SetAutoCentre(bool on);
bool AutoCentre();
// The flags that -1 stands for; -1 here leaves them unchanged. 3 at start.
void SetAutoImageFlags(int32_t flags);
int32_t AutoImageFlags();

// The colour that ImageKeyColour makes transparent in images loaded from now
// on. Black at start.
void SetMaskColour(int32_t r, int32_t g, int32_t b);
