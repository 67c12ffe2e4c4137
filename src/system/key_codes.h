#pragma once

// The virtual-key codes the game reads. The keyboard translation and the game
// controllers deliver these codes; the game and its cars query them.

#include <cstdint>

inline constexpr int32_t KeyPause = 19;
inline constexpr int32_t KeyEscape = 27;
inline constexpr int32_t KeySpace = 32;
inline constexpr int32_t KeyLeft = 37;
inline constexpr int32_t KeyUp = 38;
inline constexpr int32_t KeyRight = 39;
inline constexpr int32_t KeyDown = 40;
inline constexpr int32_t KeyC = 67;
inline constexpr int32_t KeyM = 77;
inline constexpr int32_t KeyP = 80;
inline constexpr int32_t KeyLeftControl = 162;
