#include "system/controller_keys.h"

#include "system/event.h"
#include "system/key_codes.h"

std::vector<int32_t> KeysForControl(TControllerControl control) {
    switch (control) {
    case TControllerControl::A:
    case TControllerControl::DPadUp:
    case TControllerControl::RightTrigger:
        return {KeyUp};
    case TControllerControl::B:
    case TControllerControl::DPadDown:
    case TControllerControl::LeftTrigger:
        return {KeyDown};
    case TControllerControl::DPadLeft:
    case TControllerControl::StickLeft:
        return {KeyLeft};
    case TControllerControl::DPadRight:
    case TControllerControl::StickRight:
        return {KeyRight};
    case TControllerControl::X:
        return {KeyC};
    case TControllerControl::Y:
        return {KeyM};
    case TControllerControl::LeftShoulder:
        return {KeyLeftControl};
    case TControllerControl::Start:
        return {KeySpace, KeyPause};
    case TControllerControl::Back:
        return {KeyEscape};
    }
    return {};
}

void TControllerHolds::SetButton(TControllerControl control, bool held, TKeyHolders& holders,
                                 std::vector<TKeyTransition>& transitions) {
    if (_held.contains(control) == held) {
        return;
    }
    const TKeyHolder holder{_device, static_cast<int32_t>(control)};
    if (held) {
        _held.insert(control);
    } else {
        _held.erase(control);
    }
    for (const int32_t key : KeysForControl(control)) {
        if (held ? holders.Press(key, holder) : holders.Release(key, holder)) {
            transitions.push_back({held ? EventKeyDown : EventKeyUp, key});
        }
    }
}

void TControllerHolds::SetStickX(int32_t value, TKeyHolders& holders,
                                 std::vector<TKeyTransition>& transitions) {
    // Letting go first, so a stick flicked across never holds both.
    if (value < -ControllerDeadZone) {
        SetButton(TControllerControl::StickRight, false, holders, transitions);
        SetButton(TControllerControl::StickLeft, true, holders, transitions);
    } else {
        SetButton(TControllerControl::StickLeft, false, holders, transitions);
        SetButton(TControllerControl::StickRight, value > ControllerDeadZone, holders, transitions);
    }
}

void TControllerHolds::SetTrigger(TControllerControl trigger, int32_t value, TKeyHolders& holders,
                                  std::vector<TKeyTransition>& transitions) {
    SetButton(trigger, value > ControllerDeadZone, holders, transitions);
}

void TControllerHolds::ReleaseAll(TKeyHolders& holders, std::vector<TKeyTransition>& transitions) {
    for (const TControllerControl control : std::set<TControllerControl>(_held)) {
        SetButton(control, false, holders, transitions);
    }
}
