#include "system/web/web_system_driver.h"

#include "system/termination_signals.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <vector>

namespace {

// Keys and focus are the whole page's, wherever on it the player clicked.
const char* const PageTarget = EMSCRIPTEN_EVENT_TARGET_WINDOW;

TDomKeyEvent ToDomKeyEvent(bool down, const EmscriptenKeyboardEvent& event) {
    return TDomKeyEvent{down,
                        event.code,
                        event.key,
                        event.repeat != 0,
                        event.shiftKey != 0,
                        event.ctrlKey != 0,
                        event.altKey != 0,
                        event.metaKey != 0};
}

// Returning true keeps the browser from acting on the key (scrolling the
// page, a shortcut).
EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void* driver) {
    TDomKeyEvent key = ToDomKeyEvent(type == EMSCRIPTEN_EVENT_KEYDOWN, *event);
    const bool browserMayHandle = BrowserMayHandleKey(key);
    static_cast<TWebSystemDriver*>(driver)->Queue(std::move(key));
    return browserMayHandle ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnFocus(int type, const EmscriptenFocusEvent*, void* driver) {
    static_cast<TWebSystemDriver*>(driver)->Queue(
        TWebSystemDriver::TFocusChange{type == EMSCRIPTEN_EVENT_FOCUS});
    return EM_FALSE;
}

TWebGamepad ToGamepad(const EmscriptenGamepadEvent& state) {
    TWebGamepad pad;
    pad.index = state.index;
    pad.connected = state.connected != 0;
    pad.standardMapping = std::string_view(state.mapping) == "standard";
    for (size_t i = 0; i < pad.buttons.size() && i < static_cast<size_t>(state.numButtons); ++i) {
        pad.buttons[i] = state.analogButton[i];
    }
    for (size_t i = 0; i < pad.axes.size() && i < static_cast<size_t>(state.numAxes); ++i) {
        pad.axes[i] = state.axis[i];
    }
    return pad;
}

} // namespace

TWebSystemDriver::TWebSystemDriver() {
    emscripten_set_keydown_callback(PageTarget, this, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(PageTarget, this, EM_TRUE, OnKey);
    emscripten_set_focus_callback(PageTarget, this, EM_TRUE, OnFocus);
    emscripten_set_blur_callback(PageTarget, this, EM_TRUE, OnFocus);
    // A browser without the Gamepad API still plays with the keyboard.
    _gamepadsAvailable = emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS;
}

TWebSystemDriver::~TWebSystemDriver() {
    emscripten_set_keydown_callback(PageTarget, nullptr, EM_TRUE, nullptr);
    emscripten_set_keyup_callback(PageTarget, nullptr, EM_TRUE, nullptr);
    emscripten_set_focus_callback(PageTarget, nullptr, EM_TRUE, nullptr);
    emscripten_set_blur_callback(PageTarget, nullptr, EM_TRUE, nullptr);
}

void TWebSystemDriver::PollGamepads() {
    if (!_gamepadsAvailable || emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) {
        return;
    }
    std::vector<TWebGamepad> pads;
    const int count = emscripten_get_num_gamepads();
    for (int i = 0; i < count; ++i) {
        EmscriptenGamepadEvent state{};
        if (emscripten_get_gamepad_status(i, &state) == EMSCRIPTEN_RESULT_SUCCESS) {
            pads.push_back(ToGamepad(state));
        }
    }
    for (const auto& event : _translator.TranslateGamepads(pads)) {
        event->Emit();
    }
}

int32_t TWebSystemDriver::Poll() {
    PollGamepads();
    while (!_queue.empty()) {
        const TPageEvent next = std::move(_queue.front());
        _queue.pop_front();
        const auto events = std::holds_alternative<TDomKeyEvent>(next)
                                ? _translator.TranslateKey(std::get<TDomKeyEvent>(next))
                                : _translator.TranslateFocus(std::get<TFocusChange>(next).gained);
        for (const auto& event : events) {
            event->Emit();
        }
    }
    return 0;
}

int32_t TWebSystemDriver::Wait() {
    // The page's events arrive only while the program sleeps; controllers
    // are looked at between the naps.
    constexpr int NapMillis = 10;
    while (_queue.empty() && PendingTerminationSignal() == 0) {
        emscripten_sleep(NapMillis);
        PollGamepads();
        if (!_queue.empty()) {
            break;
        }
    }
    return Poll();
}

int32_t TWebSystemDriver::MoveMouse(int32_t, int32_t) {
    // A page cannot move the pointer.
    return 0;
}

int32_t TWebSystemDriver::SetMouseVisible(int32_t visible) {
    EM_ASM({ Module.canvas.style.cursor = $0 ? "" : "none"; }, visible);
    return 0;
}

void InstallWebSystemDriver() {
    if (!SystemDriver()) {
        SetSystemDriver(std::make_shared<TWebSystemDriver>());
    }
}
