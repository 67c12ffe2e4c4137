#include "system/web/web_input_translator.h"

#include "system/key_codes.h"
#include "system/web/web_key_codes.h"
#include "util/utf8.h"

#include <algorithm>

namespace {

constexpr TKeyHolder KeyboardHolder{-1, 0};

// A key name of the page types text when it is one character: the named
// keys ("Enter", "ArrowUp", "Dead") are longer.
bool TypesText(const std::string& key) {
    const Text text = Utf8ToText(key);
    if (text.size() == 1) {
        return text[0] >= 0x20 && text[0] != 0x7F;
    }
    return text.size() == 2 && text[0] >= 0xD800 && text[0] < 0xDC00;
}

int32_t ModifierMask(const TDomKeyEvent& event) {
    return (event.shift ? ModifierShift : 0) | (event.control ? ModifierControl : 0) |
           (event.alt ? ModifierAlt : 0) | (event.meta ? ModifierSystem : 0);
}

constexpr double ButtonPressed = 0.5;

// The standard mapping's buttons that hold keys, by their index.
struct TPadButton {
    size_t index;
    TControllerControl control;
};
constexpr std::array<TPadButton, 11> PadButtons{{
    {0, TControllerControl::A},
    {1, TControllerControl::B},
    {2, TControllerControl::X},
    {3, TControllerControl::Y},
    {4, TControllerControl::LeftShoulder},
    {8, TControllerControl::Back},
    {9, TControllerControl::Start},
    {12, TControllerControl::DPadUp},
    {13, TControllerControl::DPadDown},
    {14, TControllerControl::DPadLeft},
    {15, TControllerControl::DPadRight},
}};

// The browser's -1 to 1 and 0 to 1 on the controller tables' scales.
int32_t StickValue(double value) {
    return static_cast<int32_t>(std::clamp(value, -1.0, 1.0) * 32767.0);
}
int32_t TriggerValue(double value) {
    return static_cast<int32_t>(std::clamp(value, 0.0, 1.0) * 32767.0);
}

} // namespace

std::shared_ptr<TEvent> TWebInputTranslator::Make(int32_t id, int32_t data) const {
    return TEvent::Create(id, nullptr, data, _mods, 0, 0, {});
}

std::vector<std::shared_ptr<TEvent>> TWebInputTranslator::TranslateKey(const TDomKeyEvent& event) {
    _mods = ModifierMask(event);
    std::vector<std::shared_ptr<TEvent>> events;
    const int32_t key = VirtualKeyForDomKey(event.code, event.key);
    if (key != 0) {
        if (event.down && event.repeat) {
            events.push_back(Make(EventKeyRepeat, key));
        } else {
            // A key a controller holds too neither goes down again nor up yet.
            const bool changed = event.down ? _holders.Press(key, KeyboardHolder)
                                            : _holders.Release(key, KeyboardHolder);
            if (changed) {
                events.push_back(Make(event.down ? EventKeyDown : EventKeyUp, key));
            }
        }
    }
    if (event.down && !event.control && !event.meta && TypesText(event.key)) {
        for (const char16_t unit : Utf8ToText(event.key)) {
            events.push_back(Make(EventKeyChar, unit));
        }
    }
    return events;
}

std::vector<std::shared_ptr<TEvent>> TWebInputTranslator::TranslateFocus(bool gained) {
    if (gained == _active) {
        return {};
    }
    _active = gained;
    _holders.Clear();
    return {Make(gained ? EventAppResume : EventAppSuspend, 0)};
}

std::vector<std::shared_ptr<TEvent>>
TWebInputTranslator::TranslateGamepads(std::span<const TWebGamepad> pads) {
    std::vector<TKeyTransition> transitions;
    std::map<int32_t, bool> seen;
    for (const TWebGamepad& pad : pads) {
        if (!pad.connected || !pad.standardMapping) {
            continue;
        }
        seen[pad.index] = true;
        // Controllers are devices 1 and up; the keyboard is another holder.
        auto& holds = _pads.try_emplace(pad.index, pad.index + 1).first->second;
        for (const TPadButton& button : PadButtons) {
            holds.SetButton(button.control, pad.buttons[button.index] >= ButtonPressed, _holders,
                            transitions);
        }
        holds.SetStickX(StickValue(pad.axes[0]), _holders, transitions);
        holds.SetTrigger(TControllerControl::LeftTrigger, TriggerValue(pad.buttons[6]), _holders,
                         transitions);
        holds.SetTrigger(TControllerControl::RightTrigger, TriggerValue(pad.buttons[7]), _holders,
                         transitions);
    }
    for (auto it = _pads.begin(); it != _pads.end();) {
        if (seen.contains(it->first)) {
            ++it;
            continue;
        }
        it->second.ReleaseAll(_holders, transitions);
        it = _pads.erase(it);
    }
    std::vector<std::shared_ptr<TEvent>> events;
    for (const TKeyTransition& transition : transitions) {
        events.push_back(Make(transition.id, transition.key));
    }
    return events;
}

bool BrowserMayHandleKey(const TDomKeyEvent& event) {
    const int32_t key = VirtualKeyForDomKey(event.code, event.key);
    // Reloading and the browser's tools stay the player's.
    if (key == 0x74 || key == 0x7B) { // F5, F12
        return true;
    }
    constexpr std::array<int32_t, 13> GameKeys{
        KeyUp, KeyDown, KeyLeft,  KeyRight,       KeySpace,          KeyEscape,     KeyM,
        KeyC,  KeyP,    KeyPause, 0x7A /* F11 */, 0x0D /* Return */, KeyLeftControl};
    if (std::find(GameKeys.begin(), GameKeys.end(), key) != GameKeys.end()) {
        return false;
    }
    // Any other key with Control or Meta is a shortcut of the browser's.
    return event.control || event.meta;
}
