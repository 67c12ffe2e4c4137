#pragma once

// The key code of a Windows key message: the virtual-key code Windows gives
// under the active layout, except that Shift, Control and Alt are always told
// apart by side.

#include <cstdint>

// `virtualKey` is the message's wParam, `keyData` its lParam (the scan code
// in bits 16 to 23, the extended-key flag in bit 24). 0 for codes outside 1
// to 255, which produce no key events.
int32_t KeyCodeForKeyMessage(uint64_t virtualKey, int64_t keyData);
