#pragma once

// One display mode of the screen.

#include "util/text.h"

#include <cstdint>

struct TGraphicsMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t depth = 0; // bits per pixel
    int32_t hertz = 0; // refresh rate, 0 when the system does not say

    // e.g. "800,600,32 60Hz"
    Text ToString() const;
};
