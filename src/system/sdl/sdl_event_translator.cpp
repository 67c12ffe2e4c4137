#include "system/sdl/sdl_event_translator.h"

#include "system/sdl/sdl_key_codes.h"
#include "util/utf8.h"

#include <SDL_keyboard.h>
#include <SDL_mouse.h>

namespace {

// Controllers are told apart by SDL's instance ids, which are never negative.
constexpr TKeyHolder KeyboardHolder{-1, 0};

int32_t ModifierMask(Uint16 mod) {
    int32_t mask = 0;
    if (mod & KMOD_SHIFT) {
        mask |= ModifierShift;
    }
    if (mod & KMOD_CTRL) {
        mask |= ModifierControl;
    }
    if (mod & KMOD_ALT) {
        mask |= ModifierAlt;
    }
    if (mod & KMOD_GUI) {
        mask |= ModifierSystem;
    }
    return mask;
}

// Buttons are numbered 1 left, 2 right, 3 middle; the extra buttons have none.
int32_t ButtonNumber(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 3;
    default:
        return 0;
    }
}

// The data of a pointer move names one held button, right before middle
// before left.
int32_t HeldButtonCode(Uint32 state) {
    if (state & SDL_BUTTON_RMASK) {
        return 2;
    }
    if (state & SDL_BUTTON_MMASK) {
        return 4;
    }
    if (state & SDL_BUTTON_LMASK) {
        return 1;
    }
    return 0;
}

} // namespace

void TSDLEventTranslator::SetPointerMapping(Uint32 windowID, const TPointerMapping& mapping) {
    _pointerMappings[windowID] = mapping;
}

void TSDLEventTranslator::ToProgramPixel(Uint32 windowID, int32_t& x, int32_t& y) const {
    if (const auto found = _pointerMappings.find(windowID); found != _pointerMappings.end()) {
        found->second.ToProgramPixel(x, y);
    }
}

void TSDLEventTranslator::ToWindowPoint(Uint32 windowID, int32_t& x, int32_t& y) const {
    if (const auto found = _pointerMappings.find(windowID); found != _pointerMappings.end()) {
        found->second.ToWindowPoint(x, y);
    }
}

std::shared_ptr<TEvent> TSDLEventTranslator::Make(int32_t id, int32_t data, int32_t x,
                                                  int32_t y) const {
    return TEvent::Create(id, nullptr, data, _mods, x, y, {});
}

std::vector<std::shared_ptr<TEvent>> TSDLEventTranslator::Translate(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return TranslateKey(event.key);
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION: {
        std::vector<std::shared_ptr<TEvent>> keys;
        for (const auto& transition : _controllers.Translate(event, _holders)) {
            keys.push_back(Make(transition.id, transition.key));
        }
        return keys;
    }
    case SDL_TEXTINPUT: {
        std::vector<std::shared_ptr<TEvent>> chars;
        for (const char16_t unit : Utf8ToText(event.text.text)) {
            chars.push_back(Make(EventKeyChar, unit));
        }
        return chars;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const int32_t button = ButtonNumber(event.button.button);
        if (button == 0) {
            return {};
        }
        const int32_t id = event.type == SDL_MOUSEBUTTONDOWN ? EventMouseDown : EventMouseUp;
        int32_t x = event.button.x;
        int32_t y = event.button.y;
        ToProgramPixel(event.button.windowID, x, y);
        return {Make(id, button, x, y)};
    }
    case SDL_MOUSEMOTION: {
        int32_t x = event.motion.x;
        int32_t y = event.motion.y;
        ToProgramPixel(event.motion.windowID, x, y);
        return {Make(EventMouseMove, HeldButtonCode(event.motion.state), x, y)};
    }
    case SDL_MOUSEWHEEL: {
        // Only the vertical wheel counts; whole notches are steps, and a finer
        // movement of a precise wheel reports 0 steps.
        if (event.wheel.y == 0 && event.wheel.preciseY == 0.0f) {
            return {};
        }
        const int32_t sign = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        int32_t x = event.wheel.mouseX;
        int32_t y = event.wheel.mouseY;
        ToProgramPixel(event.wheel.windowID, x, y);
        return {Make(EventMouseWheel, sign * event.wheel.y, x, y)};
    }
    case SDL_WINDOWEVENT:
        return TranslateWindowEvent(event.window);
    case SDL_QUIT:
        return {Make(EventAppTerminate, 0)};
    default:
        return {};
    }
}

std::vector<std::shared_ptr<TEvent>>
TSDLEventTranslator::TranslateKey(const SDL_KeyboardEvent& event) {
    _mods = ModifierMask(event.keysym.mod);
    const int32_t key = VirtualKeyForKeysym(event.keysym);
    if (key == 0) {
        return {};
    }
    if (event.type == SDL_KEYDOWN && event.repeat != 0) {
        return {Make(EventKeyRepeat, key)};
    }
    // A key a controller holds too neither goes down again nor up yet.
    const bool down = event.type == SDL_KEYDOWN;
    const bool changed =
        down ? _holders.Press(key, KeyboardHolder) : _holders.Release(key, KeyboardHolder);
    if (!changed) {
        return {};
    }
    return {Make(down ? EventKeyDown : EventKeyUp, key)};
}

void TSDLEventTranslator::CloseControllers() {
    _controllers.CloseAll();
}

std::vector<std::shared_ptr<TEvent>>
TSDLEventTranslator::TranslateWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (_active) {
            return {};
        }
        _active = true;
        // The input layer forgets its held keys on either change, and
        // releases made meanwhile may never arrive.
        _holders.Clear();
        return {Make(EventAppResume, 0)};
    case SDL_WINDOWEVENT_FOCUS_LOST: {
        // SDL hands the focus over before it reports the loss, so a focus that
        // went to another of the program's windows is already there.
        SDL_Window* focus = SDL_GetKeyboardFocus();
        if (!_active || (focus && SDL_GetWindowID(focus) != event.windowID)) {
            return {};
        }
        _active = false;
        _holders.Clear();
        return {Make(EventAppSuspend, 0)};
    }
    case SDL_WINDOWEVENT_CLOSE:
        // Only reported: the window stays open until the program closes it.
        return {Make(EventAppTerminate, 0)};
    case SDL_WINDOWEVENT_ENTER:
    case SDL_WINDOWEVENT_LEAVE: {
        int x = 0;
        int y = 0;
        SDL_GetMouseState(&x, &y);
        ToProgramPixel(event.windowID, x, y);
        const int32_t id = event.event == SDL_WINDOWEVENT_ENTER ? EventMouseEnter : EventMouseLeave;
        return {Make(id, 0, x, y)};
    }
    default:
        return {};
    }
}
