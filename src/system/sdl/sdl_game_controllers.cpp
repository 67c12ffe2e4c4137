#include "system/sdl/sdl_game_controllers.h"

#include "system/event.h"
#include "system/key_codes.h"

#include <SDL_joystick.h>

namespace {

// The controls an axis holds, numbered after the buttons so that one number
// names any control of a controller.
enum TAxisControl : int32_t {
    StickLeft = SDL_CONTROLLER_BUTTON_MAX,
    StickRight,
    LeftTrigger,
    RightTrigger,
};

// The keys a control holds: one, or none for a control the game has no use
// for. Start holds two: Space, which starts a game on the title and on the
// end screens, and Pause, which pauses play, so that the one button does
// what a player expects of it wherever it is pressed.
std::vector<int32_t> KeysForControl(int32_t control) {
    switch (control) {
    case SDL_CONTROLLER_BUTTON_A:
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
    case RightTrigger:
        return {KeyUp};
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
    case LeftTrigger:
        return {KeyDown};
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
    case StickLeft:
        return {KeyLeft};
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
    case StickRight:
        return {KeyRight};
    case SDL_CONTROLLER_BUTTON_X:
        return {KeyC};
    case SDL_CONTROLLER_BUTTON_Y:
        return {KeyM};
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return {KeyLeftControl};
    case SDL_CONTROLLER_BUTTON_START:
        return {KeySpace, KeyPause};
    case SDL_CONTROLLER_BUTTON_BACK:
        return {KeyEscape};
    default:
        return {};
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
    _controllers.try_emplace(id, TController{std::move(handle), {}});
}

std::vector<TKeyTransition> TSDLGameControllers::Close(SDL_JoystickID id, TKeyHolders& holders) {
    std::vector<TKeyTransition> transitions;
    const auto found = _controllers.find(id);
    if (found == _controllers.end()) {
        return transitions;
    }
    for (const int32_t control : std::set<int32_t>(found->second.held)) {
        Set(id, found->second, control, false, holders, transitions);
    }
    _controllers.erase(found);
    return transitions;
}

void TSDLGameControllers::CloseAll() {
    _controllers.clear();
}

void TSDLGameControllers::Set(SDL_JoystickID id, TController& controller, int32_t control,
                              bool held, TKeyHolders& holders,
                              std::vector<TKeyTransition>& transitions) {
    const std::vector<int32_t> keys = KeysForControl(control);
    if (keys.empty() || controller.held.contains(control) == held) {
        return;
    }
    if (held) {
        controller.held.insert(control);
    } else {
        controller.held.erase(control);
    }
    const TKeyHolder holder{id, control};
    for (const int32_t key : keys) {
        if (held ? holders.Press(key, holder) : holders.Release(key, holder)) {
            transitions.push_back({held ? EventKeyDown : EventKeyUp, key});
        }
    }
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
    case SDL_CONTROLLERBUTTONUP:
        if (const auto found = _controllers.find(event.cbutton.which);
            found != _controllers.end()) {
            Set(found->first, found->second, event.cbutton.button,
                event.type == SDL_CONTROLLERBUTTONDOWN, holders, transitions);
        }
        break;
    case SDL_CONTROLLERAXISMOTION: {
        const auto found = _controllers.find(event.caxis.which);
        if (found == _controllers.end()) {
            break;
        }
        const int32_t value = event.caxis.value;
        auto set = [&](int32_t control, bool held) {
            Set(found->first, found->second, control, held, holders, transitions);
        };
        switch (event.caxis.axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
            // Letting go first, so a stick flicked across never holds both.
            if (value < -DeadZone) {
                set(StickRight, false);
                set(StickLeft, true);
            } else {
                set(StickLeft, false);
                set(StickRight, value > DeadZone);
            }
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
            set(LeftTrigger, value > DeadZone);
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
            set(RightTrigger, value > DeadZone);
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
