#pragma once

// The native half of the OpenGL graphics: windows with OpenGL contexts, kept
// as plain records behind integer handles, and the display modes. SDL's
// (native_context.cpp) on Linux, Win32's and WGL's (../wgl/) on Windows.

#include "graphics/graphics_driver.h"
#include "graphics/graphics_mode.h"
#include "graphics/presentation.h"

#include <cstdint>
#include <vector>

// Opens a window with an OpenGL context and returns its handle. Raises a
// runtime error saying why when the platform can make neither: no display
// (the message names the one tried), or SDL's reason. Depth 0 opens a window of the given client
// size centred on the desktop; any other depth opens a full screen in the display mode of that
// size, depth and rate (any rate when that one is missing). Raises "GLGraphicsDriver failed to set
// display mode" when there is no such mode. The new context is not made current.
int32_t CreateWindowContext(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                            int32_t flags);

// All 0 for a handle that is not open. The width and height are the client
// size the window was asked for, whatever size the user has made it since.
TGraphicsSettings NativeContextSettings(int32_t context);

// The size in pixels of what the context draws into now: a window the user
// resized or made full screen, or a display of high pixel density, differs
// from the size asked for. 0 by 0 for a handle that is not open.
struct TDrawableSize {
    int32_t width = 0;
    int32_t height = 0;
};
TDrawableSize NativeDrawableSize(int32_t context);

// Tells the input layer where the asked-for window's pixels lie in the
// context's window, so that pointer positions keep meaning those pixels.
void SetNativePresentation(int32_t context, const TPresentation& presentation);

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
