#pragma once

// The page's key events to Windows virtual-key codes, the key codes of the
// input layer, from the two names a browser gives every key event: `code`,
// the key's position ("KeyM", "ArrowUp"), and `key`, what it types under the
// active layout ("m", "ArrowUp", "Dead").

#include <cstdint>
#include <string_view>

// The code of the key at a position, as on a US keyboard; 0 for a position
// without one. Shift, Control and Alt are told apart by side (160 to 165).
int32_t VirtualKeyForDomCode(std::string_view code);

// The code of a key event as the desktop gives it under the active layout:
// a key that types a Latin letter gives that letter, wherever it lies; a
// letter position that types basic punctuation gives that punctuation's
// code; the keypad gives its navigation codes while Num Lock is off; every
// other key keeps the code of its position.
int32_t VirtualKeyForDomKey(std::string_view code, std::string_view key);
