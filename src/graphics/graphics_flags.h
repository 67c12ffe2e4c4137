#pragma once

// Graphics flags: a bit set passed to context creation, each asking the
// pixel format for one kind of buffer.

#include <cstdint>

inline constexpr int32_t ContextDoubleBuffer = 2;
inline constexpr int32_t ContextAlphaBits = 4;
inline constexpr int32_t ContextDepthBits = 8;
inline constexpr int32_t ContextStencilBits = 16;
inline constexpr int32_t ContextAccumBits = 32;
