#pragma once

// SDL scancodes (physical key positions) to Windows virtual-key codes, the
// key codes of the input layer. Positions are named as on a US keyboard.

#include <SDL_scancode.h>

#include <cstdint>

// 1 to 255, or 0 for a key without a code (it produces no key events).
// Shift, Control and Alt are always told apart by side (160 to 165), and the
// left and right GUI keys are the Windows keys 91 and 92.
int32_t VirtualKeyForScancode(SDL_Scancode scancode);
