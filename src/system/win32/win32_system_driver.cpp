#include "system/win32/win32_system_driver.h"

#include "system/win32/win32_full_screen_toggle.h"

namespace {

bool IsModifierKeyMessage(const MSG& message) {
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        break;
    default:
        return false;
    }
    const WPARAM key = message.wParam;
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LWIN ||
           key == VK_RWIN;
}

bool IsTabStopChild(HWND window) {
    const auto style = GetWindowLongPtrW(window, GWL_STYLE);
    return (style & WS_CHILD) != 0 && (style & WS_TABSTOP) != 0;
}

// A control inside a dialog-like window moves the focus on Tab and the
// arrows: the nearest ancestor that is no such control handles that.
bool HandledAsDialogNavigation(MSG& message) {
    if (!message.hwnd || !IsTabStopChild(message.hwnd)) {
        return false;
    }
    HWND dialog = GetParent(message.hwnd);
    while (dialog && IsTabStopChild(dialog)) {
        dialog = GetParent(dialog);
    }
    return dialog && IsDialogMessageW(dialog, &message);
}

// How often a wait looks at the input sources, which send no messages.
constexpr DWORD SourcePollMillis = 10;

} // namespace

bool TWin32SystemDriver::PollInputSources() {
    bool changed = false;
    for (const auto& source : _sources) {
        for (const TKeyTransition& transition : source->Poll(_translator.Holders())) {
            TEvent::Create(transition.id, nullptr, transition.key, _translator.Modifiers(), 0, 0,
                           {})
                ->Emit();
            changed = true;
        }
    }
    return changed;
}

bool TWin32SystemDriver::PumpMessages() {
    bool any = false;
    MSG message{};
    // The wide forms, so that characters reach the window procedure as the
    // UTF-16 code units the program's texts are made of.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        any = true;
        if (IsModifierKeyMessage(message)) {
            _translator.UpdateModifiers();
        }
        if (HandledAsDialogNavigation(message)) {
            continue;
        }
        if (IsFullScreenToggle(message)) {
            ToggleDesktopFullScreen(message.hwnd);
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return any;
}

int32_t TWin32SystemDriver::Poll() {
    PollInputSources();
    PumpMessages();
    return 0;
}

int32_t TWin32SystemDriver::Wait() {
    const DWORD timeout = _sources.empty() ? INFINITE : SourcePollMillis;
    for (;;) {
        // A termination request posts a message to wake this wait.
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        const bool sourced = PollInputSources();
        const bool messaged = PumpMessages();
        if (sourced || messaged || woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) {
            return 0;
        }
    }
}

int32_t TWin32SystemDriver::MoveMouse(int32_t x, int32_t y) {
    POINT point{x, y};
    if (HWND window = GetActiveWindow()) {
        int32_t windowX = x;
        int32_t windowY = y;
        _translator.ToWindowPoint(window, windowX, windowY);
        point = {windowX, windowY};
        ClientToScreen(window, &point);
    }
    // With no window active yet (a full screen that has just opened lies at
    // the screen's origin) the client position is the screen's.
    SetCursorPos(point.x, point.y);
    return 0;
}

int32_t TWin32SystemDriver::SetMouseVisible(int32_t visible) {
    _translator.SetPointerVisible(visible != 0);
    return 0;
}

void TWin32SystemDriver::AddInputSource(std::shared_ptr<TWin32InputSource> source) {
    _sources.push_back(std::move(source));
}

std::shared_ptr<TWin32SystemDriver> InstallWin32SystemDriver() {
    auto current = CurrentWin32SystemDriver();
    if (!current) {
        current = std::make_shared<TWin32SystemDriver>();
        SetSystemDriver(current);
    }
    return current;
}

std::shared_ptr<TWin32SystemDriver> CurrentWin32SystemDriver() {
    return std::dynamic_pointer_cast<TWin32SystemDriver>(SystemDriver());
}

void TranslateWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto driver = CurrentWin32SystemDriver();
    if (!driver) {
        return;
    }
    for (const auto& event : driver->Translator().Translate(window, message, wParam, lParam)) {
        event->Emit();
    }
}
