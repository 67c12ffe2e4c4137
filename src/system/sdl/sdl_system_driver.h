#pragma once

// The system driver over SDL's event queue. Making one starts SDL's event
// and game-controller subsystems (and ends them again when the driver goes).

#include "system/sdl/sdl_event_translator.h"
#include "system/system_driver.h"

#include <SDL_events.h>

#include <memory>

class TSDLSystemDriver : public TSystemDriver {
public:
    TSDLSystemDriver();
    ~TSDLSystemDriver() override;
    TSDLSystemDriver(const TSDLSystemDriver&) = delete;
    TSDLSystemDriver& operator=(const TSDLSystemDriver&) = delete;

    int32_t Poll() override;
    int32_t Wait() override;
    int32_t MoveMouse(int32_t x, int32_t y) override;
    int32_t SetMouseVisible(int32_t visible) override;

    // Pointer positions in the window are given in the program's window
    // pixels from now on (see TPointerMapping).
    void SetPointerMapping(Uint32 windowID, const TPointerMapping& mapping);

private:
    void Emit(const SDL_Event& event);

    bool _started = false;
    bool _controllersStarted = false;
    TSDLEventTranslator _translator;
};

// Makes an SDL system driver the current one unless it already is, and
// returns it. The SDL start-up (sdl_program_startup.h) calls this.
std::shared_ptr<TSDLSystemDriver> InstallSDLSystemDriver();

// The current driver when it is an SDL one; null under any other (a test's
// fake) or none.
std::shared_ptr<TSDLSystemDriver> CurrentSDLSystemDriver();
