#pragma once

// Writes pixmaps as PNG files: I8 as grey, RGB888 and BGR888 as RGB,
// RGBA8888 and BGRA8888 as RGBA; any other format is converted to RGBA8888
// first. The game itself never saves pictures; the asset generator and the
// tests do.

#include "io/url.h"
#include "pixmap/pixmap.h"

#include <cstdint>

// `compression` is zlib's level, clamped to 0 (none) .. 9 (smallest). False
// when the destination cannot be opened, the pixmap is empty, or writing
// fails part-way (the destination then holds an incomplete file).
bool SavePixmapPNG(const TPixmap& pixmap, const TUrl& url, int32_t compression);
