#pragma once

// Game controllers as a second keyboard: their buttons, triggers and left
// stick hold the keys the game already reads, through the same key holders
// as the keyboard, so a key held on both is one held key.

#include "system/key_holders.h"

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

class TSDLGameControllers {
public:
    // How far a stick or trigger must move, out of 32767, before it holds its
    // key: a quarter, so a worn stick resting off centre holds nothing.
    static constexpr int32_t DeadZone = 8192;

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
        // The controls this controller holds down as it last reported them.
        std::set<int32_t> held;
    };

    void Open(int deviceIndex);
    std::vector<TKeyTransition> Close(SDL_JoystickID id, TKeyHolders& holders);
    // The key transition, if any, of the control now being held or not.
    static void Set(SDL_JoystickID id, TController& controller, int32_t control, bool held,
                    TKeyHolders& holders, std::vector<TKeyTransition>& transitions);

    std::map<SDL_JoystickID, TController> _controllers;
};
