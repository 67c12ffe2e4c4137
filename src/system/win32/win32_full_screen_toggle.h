#pragma once

// F11 and Alt+Return switch a window between its own size and a borderless
// window over the whole monitor on the desktop's current mode (no mode
// change), as desktop players expect. They are extra keys: their key
// messages still reach the program as usual.

#include <windows.h>

// Whether the message is one of those presses (a held key's repeats are not).
bool IsFullScreenToggle(const MSG& message);

// Toggles the window; a window in an exclusive full-screen mode of its own
// (a pop-up the program opened full screen) is left alone.
void ToggleDesktopFullScreen(HWND window);
