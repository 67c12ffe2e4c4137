#include "system/sdl/sdl_full_screen_toggle.h"

#include <SDL_video.h>

bool IsFullScreenToggle(const SDL_KeyboardEvent& key) {
    if (key.type != SDL_KEYDOWN || key.repeat != 0) {
        return false;
    }
    const SDL_Scancode scancode = key.keysym.scancode;
    return scancode == SDL_SCANCODE_F11 ||
           (scancode == SDL_SCANCODE_RETURN && (key.keysym.mod & KMOD_ALT) != 0);
}

void ToggleDesktopFullScreen(const SDL_KeyboardEvent& key) {
    SDL_Window* window = SDL_GetWindowFromID(key.windowID);
    if (!window) {
        return;
    }
    const Uint32 flags = SDL_GetWindowFlags(window);
    if ((flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN) {
        return;
    }
    // SDL gives the window back the size and place it had.
    SDL_SetWindowFullscreen(
        window, (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0 ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}
