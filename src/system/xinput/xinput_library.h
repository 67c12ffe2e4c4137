#pragma once

// XInput itself, loaded at run time rather than linked, so that the program
// starts on a Windows without it (or with an older version) and simply sees
// no controller there.

#include "system/xinput/xinput_pads.h"

// Loads the newest XInput present (xinput1_4.dll, then xinput1_3.dll, then
// xinput9_1_0.dll) and returns a reader of its pads, which keeps the DLL
// loaded for as long as it exists. With none present the reader reports no
// pad: not an error.
TXInputReader LoadXInputReader();
