#include "system/win32/win32_full_screen_toggle.h"

#include <map>

namespace {

// What a window had before it covered its monitor, to be given back.
struct TWindowedState {
    LONG_PTR style = 0;
    WINDOWPLACEMENT placement{};
};

std::map<HWND, TWindowedState>& Covering() {
    static std::map<HWND, TWindowedState> windows;
    return windows;
}

constexpr LPARAM AltHeldBit = LPARAM{1} << 29;
constexpr LPARAM RepeatBit = LPARAM{1} << 30;

void Cover(HWND window) {
    TWindowedState state;
    state.style = GetWindowLongPtrW(window, GWL_STYLE);
    state.placement.length = sizeof(WINDOWPLACEMENT);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(MONITORINFO);
    if (!GetWindowPlacement(window, &state.placement) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    Covering()[window] = state;
    SetWindowLongPtrW(window, GWL_STYLE, state.style & ~WS_OVERLAPPEDWINDOW);
    const RECT& area = monitor.rcMonitor;
    SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
}

void Uncover(HWND window, const TWindowedState& state) {
    SetWindowLongPtrW(window, GWL_STYLE, state.style);
    SetWindowPlacement(window, &state.placement);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
}

} // namespace

bool IsFullScreenToggle(const MSG& message) {
    if ((message.lParam & RepeatBit) != 0) {
        return false;
    }
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        if (message.wParam == VK_F11) {
            return true;
        }
    }
    return message.message == WM_SYSKEYDOWN && message.wParam == VK_RETURN &&
           (message.lParam & AltHeldBit) != 0;
}

void ToggleDesktopFullScreen(HWND window) {
    if (!window) {
        return;
    }
    auto& covering = Covering();
    if (const auto found = covering.find(window); found != covering.end()) {
        const TWindowedState state = found->second;
        covering.erase(found);
        Uncover(window, state);
        return;
    }
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) {
        return;
    }
    Cover(window);
}
