#pragma once

// SDL's game controllers as a second keyboard: their buttons, triggers and
// left stick hold keys through the controller table every back end shares.

#include "system/controller_keys.h"
#include "system/key_holders.h"

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <map>
#include <memory>
#include <vector>

class TSDLGameControllers {
public:
    // Opens a controller as it is plugged in (those present when SDL starts
    // are reported the same way), closes one unplugged, letting go of every
    // key it held, and turns button and axis changes into key transitions.
    // Other events give none.
    std::vector<TKeyTransition> Translate(const SDL_Event& event, TKeyHolders& holders);
    // Closes every controller; needed before SDL's controller subsystem ends,
    // which frees them itself.
    void CloseAll();

private:
    struct TCloser {
        void operator()(SDL_GameController* controller) const {
            SDL_GameControllerClose(controller);
        }
    };
    struct TController {
        std::unique_ptr<SDL_GameController, TCloser> handle;
        TControllerHolds holds;
    };

    void Open(int deviceIndex);
    std::vector<TKeyTransition> Close(SDL_JoystickID id, TKeyHolders& holders);

    std::map<SDL_JoystickID, TController> _controllers;
};
