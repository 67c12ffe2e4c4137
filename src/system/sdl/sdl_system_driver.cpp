#include "system/sdl/sdl_system_driver.h"

#include "system/sdl/sdl_full_screen_toggle.h"
#include "system/termination_signals.h"

#include <SDL.h>

TSDLSystemDriver::TSDLSystemDriver() {
    // SDL would turn Ctrl+C and SIGTERM into a quit event, which the game
    // ignores like a close request; the program's own handlers end it instead
    // (termination_signals.h).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A closed window's quit event would repeat the window's close event.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    _started = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
    // Without controllers the keyboard still plays.
    _controllersStarted = _started && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

TSDLSystemDriver::~TSDLSystemDriver() {
    if (_controllersStarted) {
        _translator.CloseControllers();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    if (_started) {
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }
}

void TSDLSystemDriver::Emit(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN && IsFullScreenToggle(event.key)) {
        ToggleDesktopFullScreen(event.key);
    }
    for (const auto& translated : _translator.Translate(event)) {
        translated->Emit();
    }
}

int32_t TSDLSystemDriver::Poll() {
    SDL_Event event;
    while (_started && SDL_PollEvent(&event)) {
        Emit(event);
    }
    return 0;
}

int32_t TSDLSystemDriver::Wait() {
    // A signal need not wake SDL's wait, so the wait looks up now and then to
    // let the pump act on one.
    constexpr int SignalCheckMillis = 100;
    SDL_Event event;
    while (_started && PendingTerminationSignal() == 0) {
        if (SDL_WaitEventTimeout(&event, SignalCheckMillis)) {
            Emit(event);
            break;
        }
    }
    return Poll();
}

void TSDLSystemDriver::SetPointerMapping(Uint32 windowID, const TPointerMapping& mapping) {
    _translator.SetPointerMapping(windowID, mapping);
}

int32_t TSDLSystemDriver::MoveMouse(int32_t x, int32_t y) {
    if (SDL_Window* window = SDL_GetKeyboardFocus()) {
        _translator.ToWindowPoint(SDL_GetWindowID(window), x, y);
        SDL_WarpMouseInWindow(window, x, y);
    } else {
        // No window is active yet (a full-screen window that has just opened
        // lies at the screen's origin, so its client position is the global one).
        SDL_WarpMouseGlobal(x, y);
    }
    return 0;
}

int32_t TSDLSystemDriver::SetMouseVisible(int32_t visible) {
    SDL_ShowCursor(visible != 0 ? SDL_ENABLE : SDL_DISABLE);
    return 0;
}

std::shared_ptr<TSDLSystemDriver> InstallSDLSystemDriver() {
    auto current = CurrentSDLSystemDriver();
    if (!current) {
        current = std::make_shared<TSDLSystemDriver>();
        SetSystemDriver(current);
    }
    return current;
}

std::shared_ptr<TSDLSystemDriver> CurrentSDLSystemDriver() {
    return std::dynamic_pointer_cast<TSDLSystemDriver>(SystemDriver());
}
