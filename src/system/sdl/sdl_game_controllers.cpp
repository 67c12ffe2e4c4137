#include "system/sdl/sdl_game_controllers.h"

#include <SDL_joystick.h>

#include <optional>

namespace {

std::optional<TControllerControl> ControlForButton(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
        return TControllerControl::A;
    case SDL_CONTROLLER_BUTTON_B:
        return TControllerControl::B;
    case SDL_CONTROLLER_BUTTON_X:
        return TControllerControl::X;
    case SDL_CONTROLLER_BUTTON_Y:
        return TControllerControl::Y;
    case SDL_CONTROLLER_BUTTON_BACK:
        return TControllerControl::Back;
    case SDL_CONTROLLER_BUTTON_START:
        return TControllerControl::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return TControllerControl::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return TControllerControl::DPadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return TControllerControl::DPadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return TControllerControl::DPadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return TControllerControl::DPadRight;
    default:
        return std::nullopt;
    }
}

} // namespace

void TSDLGameControllers::Open(int deviceIndex) {
    std::unique_ptr<SDL_GameController, TCloser> handle(SDL_GameControllerOpen(deviceIndex));
    if (!handle) {
        return;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle.get()));
    // A controller reported twice is open already; the second handle only
    // raised its reference count, which the discarded handle lowers again.
    _controllers.try_emplace(id, TController{std::move(handle), TControllerHolds(id)});
}

std::vector<TKeyTransition> TSDLGameControllers::Close(SDL_JoystickID id, TKeyHolders& holders) {
    std::vector<TKeyTransition> transitions;
    if (const auto found = _controllers.find(id); found != _controllers.end()) {
        found->second.holds.ReleaseAll(holders, transitions);
        _controllers.erase(found);
    }
    return transitions;
}

void TSDLGameControllers::CloseAll() {
    _controllers.clear();
}

std::vector<TKeyTransition> TSDLGameControllers::Translate(const SDL_Event& event,
                                                           TKeyHolders& holders) {
    std::vector<TKeyTransition> transitions;
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Open(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        return Close(event.cdevice.which, holders);
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        const auto found = _controllers.find(event.cbutton.which);
        const auto control = ControlForButton(event.cbutton.button);
        if (found != _controllers.end() && control) {
            found->second.holds.SetButton(*control, event.type == SDL_CONTROLLERBUTTONDOWN, holders,
                                          transitions);
        }
        break;
    }
    case SDL_CONTROLLERAXISMOTION: {
        const auto found = _controllers.find(event.caxis.which);
        if (found == _controllers.end()) {
            break;
        }
        TControllerHolds& holds = found->second.holds;
        switch (event.caxis.axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
            holds.SetStickX(event.caxis.value, holders, transitions);
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
            holds.SetTrigger(TControllerControl::LeftTrigger, event.caxis.value, holders,
                             transitions);
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
            holds.SetTrigger(TControllerControl::RightTrigger, event.caxis.value, holders,
                             transitions);
            break;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return transitions;
}
