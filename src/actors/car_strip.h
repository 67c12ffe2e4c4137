#pragma once

#include <cstdint>

// Draws a frame of CarStrip under the current drawing state; nothing while
// the strip is not loaded.
void DrawCarFrame(float x, float y, int32_t frame);
