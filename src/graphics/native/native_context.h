#pragma once

// The native half of the OpenGL graphics: SDL windows with OpenGL contexts,
// kept as plain records behind integer handles, and the display modes.

#include "graphics/graphics_driver.h"
#include "graphics/graphics_mode.h"

#include <cstdint>
#include <vector>

enum class ContextKind : int32_t {
    Windowed = 2,
    FullScreen = 3,
};

// Opens a window with an OpenGL context and returns its handle. Raises a
// runtime error saying why when the platform can make neither: no display
// (the message names the one tried), or SDL's reason. Depth 0 opens a window of the given client
// size centred on the desktop; any other depth opens a full screen in the display mode of that
// size, depth and rate (any rate when that one is missing). Raises "GLGraphicsDriver failed to set
// display mode" when there is no such mode. The new context is not made current.
int32_t CreateWindowContext(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                            int32_t flags);

// All 0 for a handle that is not open.
TGraphicsSettings NativeContextSettings(int32_t context);

// Makes the context current for drawing; 0 (or a closed handle) makes none current.
void MakeNativeContextCurrent(int32_t context);

// Releases the context and its window; closing an unknown handle does nothing.
void CloseNativeContext(int32_t context);

// Swaps the current context's buffers, waiting for the retrace when `sync` is
// not 0; nothing happens when no context is current.
void NativeFlip(int32_t sync);

// At most `maxModes` modes of the main display, in the system's order; modes
// of fewer than 16 bits per pixel are left out.
std::vector<TGraphicsMode> ListNativeModes(int32_t maxModes);

// Asks for `interval` retraces per swap; ignored where the platform refuses.
void ApplySwapInterval(int32_t interval);
