#pragma once

// Bounds every picture decoder holds a file's claimed size to before it
// allocates anything, so that a corrupt or hostile header cannot make the
// program exhaust its memory.

#include <cstdint>

constexpr int32_t MaxPictureSide = 8192;
constexpr int64_t MaxPicturePixels = int64_t{1} << 24; // 4096 x 4096

constexpr bool PictureSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= MaxPicturePixels;
}
