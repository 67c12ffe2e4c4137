#pragma once

// SDL key events to Windows virtual-key codes, the key codes of the input
// layer. Positions are named as on a US keyboard.

#include <SDL_keyboard.h>
#include <SDL_scancode.h>

#include <cstdint>

// 1 to 255, or 0 for a key without a code (it produces no key events).
// Shift, Control and Alt are always told apart by side (160 to 165), and the
// left and right GUI keys are the Windows keys 91 and 92.
int32_t VirtualKeyForScancode(SDL_Scancode scancode);

// The code of a key event, as Windows gives it under the active layout: a key
// that carries a Latin letter gives that letter, wherever it lies (M gives 77
// on AZERTY, where it sits on the US semicolon's place). A letter position
// that carries basic punctuation instead gives that punctuation's code, and
// one with a letter of another script (Cyrillic, Greek) gives its position's
// letter. The keypad gives its navigation codes while Num Lock is off. Every
// other key keeps the code of its position.
int32_t VirtualKeyForKeysym(const SDL_Keysym& keysym);
