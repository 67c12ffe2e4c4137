#pragma once

// How drawn pixels combine with the screen. Any other value draws opaque
// without the alpha test.

#include <cstdint>

// Pixels below half alpha are dropped, the rest replace the screen.
inline constexpr int32_t BlendCutout = 1;
// Every pixel replaces the screen.
inline constexpr int32_t BlendOpaque = 2;
// source * alpha + screen * (1 - alpha)
inline constexpr int32_t BlendTranslucent = 3;
// source * alpha + screen
inline constexpr int32_t BlendAdditive = 4;
// source * screen
inline constexpr int32_t BlendMultiply = 5;
