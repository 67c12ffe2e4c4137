#pragma once

// F11 and Alt+Return switch a window between its own size and full screen on
// the desktop's current mode (no mode change), as desktop players expect.
// They are extra keys: their key events still reach the program as usual.

#include <SDL_events.h>

// Whether the event is one of those presses (a held key's repeats are not).
bool IsFullScreenToggle(const SDL_KeyboardEvent& key);

// Toggles the event's window; a window in an exclusive full-screen mode of
// its own (one the program asked for) is left alone.
void ToggleDesktopFullScreen(const SDL_KeyboardEvent& key);
