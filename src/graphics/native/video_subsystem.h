#pragma once

// SDL's video subsystem, started on the display the user has.

#include "util/text.h"

// Starts the video subsystem unless it runs already. SDL falls back to a
// video driver without a screen when no display can be reached; a window
// there would be invisible and its keys could never be pressed, so that
// counts as no display unless SDL_VIDEODRIVER asks for such a driver by name.
// On failure the video subsystem is left stopped, the next call tries again,
// and `why` names the display that was tried.
bool StartVideoSubsystem(Text& why);

// Whether SDL_VIDEODRIVER, a comma-separated list of driver names, names
// `driver` (in any letter case).
bool VideoDriverRequested(const char* requested, const char* driver);

// Whether `driver` shows nothing on a screen.
bool IsHeadlessVideoDriver(const char* driver);
