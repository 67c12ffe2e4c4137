#pragma once

// Why a window could not be opened, said the way the player can act on.

#include "util/text.h"

#include <cstdint>

// `error` is the system's error code of the failed creation. Under Wine the
// window is drawn on an X display: the text then names that display as the
// Linux build does ("no display (DISPLAY is not set)", or display ":1"
// cannot be reached). On Windows itself it names the desktop of the
// program's window station, with the error code.
Text WhyNoWindow(uint32_t error);
