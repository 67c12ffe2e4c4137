#pragma once

// The keys the cars are driven with (virtual-key codes).

#include <cstdint>

inline constexpr int32_t KeyLeft = 37;
inline constexpr int32_t KeyUp = 38;
inline constexpr int32_t KeyRight = 39;
inline constexpr int32_t KeyDown = 40;
