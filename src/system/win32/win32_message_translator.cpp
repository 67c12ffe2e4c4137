#include "system/win32/win32_message_translator.h"

#include "system/win32/win32_key_codes.h"

#include <windowsx.h>

namespace {

// Controllers number themselves from 0 up.
constexpr TKeyHolder KeyboardHolder{-1, 0};

// Set in a key message's data when the key was already down: a repeat.
constexpr LPARAM RepeatBit = LPARAM{1} << 30;

bool IsDown(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

int32_t ButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 2;
    default:
        return 3;
    }
}

// The data of a pointer move names one held button, right before middle
// before left.
int32_t HeldButtonCode(WPARAM keys) {
    if (keys & MK_RBUTTON) {
        return 2;
    }
    if (keys & MK_MBUTTON) {
        return 4;
    }
    if (keys & MK_LBUTTON) {
        return 1;
    }
    return 0;
}

bool BelongsToThisProcess(HWND window) {
    if (!window) {
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

bool InClientArea(HWND window, int32_t x, int32_t y) {
    RECT client{};
    GetClientRect(window, &client);
    return x >= 0 && y >= 0 && x < client.right && y < client.bottom;
}

} // namespace

std::shared_ptr<TEvent> TWin32MessageTranslator::Make(int32_t id, int32_t data, int32_t x,
                                                      int32_t y) const {
    return TEvent::Create(id, nullptr, data, _mods, x, y, {});
}

void TWin32MessageTranslator::UpdateModifiers() {
    int32_t mask = 0;
    if (IsDown(VK_SHIFT)) {
        mask |= ModifierShift;
    }
    if (IsDown(VK_CONTROL)) {
        mask |= ModifierControl;
    }
    if (IsDown(VK_MENU)) {
        mask |= ModifierAlt;
    }
    if (IsDown(VK_LWIN) || IsDown(VK_RWIN)) {
        mask |= ModifierSystem;
    }
    _mods = mask;
}

void TWin32MessageTranslator::SetPointerMapping(HWND window, const TPointerMapping& mapping) {
    _pointerMappings[window] = mapping;
}

void TWin32MessageTranslator::ToProgramPixel(HWND window, int32_t& x, int32_t& y) const {
    if (const auto found = _pointerMappings.find(window); found != _pointerMappings.end()) {
        found->second.ToProgramPixel(x, y);
    }
}

void TWin32MessageTranslator::ToWindowPoint(HWND window, int32_t& x, int32_t& y) const {
    if (const auto found = _pointerMappings.find(window); found != _pointerMappings.end()) {
        found->second.ToWindowPoint(x, y);
    }
}

std::vector<std::shared_ptr<TEvent>>
TWin32MessageTranslator::Translate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return TranslateKey(message, wParam, lParam);
    case WM_CHAR:
    case WM_SYSCHAR:
        return {Make(EventKeyChar, static_cast<int32_t>(wParam))};
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool down =
            message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
        // Captured while held, so that the release outside the window arrives.
        if (down) {
            SetCapture(window);
        } else {
            ReleaseCapture();
        }
        int32_t x = GET_X_LPARAM(lParam);
        int32_t y = GET_Y_LPARAM(lParam);
        ToProgramPixel(window, x, y);
        return {Make(down ? EventMouseDown : EventMouseUp, ButtonOf(message), x, y)};
    }
    case WM_MOUSEMOVE:
        return TranslatePointerMove(window, wParam, lParam);
    case WM_MOUSELEAVE: {
        std::vector<std::shared_ptr<TEvent>> events;
        if (window == _tracked) {
            Track(nullptr, events);
        }
        return events;
    }
    case WM_MOUSEWHEEL: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &point);
        int32_t x = point.x;
        int32_t y = point.y;
        ToProgramPixel(window, x, y);
        // Whole notches are steps; a finer step of a precise wheel is 0.
        return {Make(EventMouseWheel, GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA, x, y)};
    }
    case WM_ACTIVATE:
        return TranslateActivation(wParam, lParam);
    case WM_CLOSE:
        // Only reported: the window stays open until the program closes it.
        return {Make(EventAppTerminate, 0)};
    default:
        return {};
    }
}

std::vector<std::shared_ptr<TEvent>>
TWin32MessageTranslator::TranslateKey(UINT message, WPARAM wParam, LPARAM lParam) {
    const int32_t key = KeyCodeForKeyMessage(wParam, lParam);
    if (key == 0) {
        return {};
    }
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (down && (lParam & RepeatBit) != 0) {
        return {Make(EventKeyRepeat, key)};
    }
    // A key a controller holds too neither goes down again nor up yet.
    const bool changed =
        down ? _holders.Press(key, KeyboardHolder) : _holders.Release(key, KeyboardHolder);
    if (!changed) {
        return {};
    }
    return {Make(down ? EventKeyDown : EventKeyUp, key)};
}

std::vector<std::shared_ptr<TEvent>> TWin32MessageTranslator::TranslateActivation(WPARAM wParam,
                                                                                  LPARAM lParam) {
    // The other window of the change: focus moving between two of the
    // program's own windows is no suspend and resume.
    if (BelongsToThisProcess(reinterpret_cast<HWND>(lParam))) {
        return {};
    }
    const bool activated = LOWORD(wParam) != WA_INACTIVE;
    const bool minimised = HIWORD(wParam) != 0;
    if (activated && minimised) {
        return {};
    }
    // The input layer forgets its held keys on either change, and releases
    // made meanwhile never arrive.
    _holders.Clear();
    return {Make(activated ? EventAppResume : EventAppSuspend, 0)};
}

std::vector<std::shared_ptr<TEvent>>
TWin32MessageTranslator::TranslatePointerMove(HWND window, WPARAM wParam, LPARAM lParam) {
    const int32_t clientX = GET_X_LPARAM(lParam);
    const int32_t clientY = GET_Y_LPARAM(lParam);
    std::vector<std::shared_ptr<TEvent>> events;
    // A captured pointer reports moves outside the window too.
    Track(InClientArea(window, clientX, clientY) ? window : nullptr, events);
    int32_t x = clientX;
    int32_t y = clientY;
    ToProgramPixel(window, x, y);
    events.push_back(Make(EventMouseMove, HeldButtonCode(wParam), x, y));
    return events;
}

void TWin32MessageTranslator::Track(HWND window, std::vector<std::shared_ptr<TEvent>>& events) {
    if (window == _tracked) {
        return;
    }
    if (_tracked) {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(_tracked, &point);
        int32_t x = point.x;
        int32_t y = point.y;
        ToProgramPixel(_tracked, x, y);
        events.push_back(Make(EventMouseLeave, 0, x, y));
    }
    _tracked = window;
    ShowPointer(_pointerVisible || !_tracked);
    if (_tracked) {
        events.push_back(Make(EventMouseEnter, 0));
        TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), TME_LEAVE, _tracked, 0};
        TrackMouseEvent(&request);
    }
}

void TWin32MessageTranslator::SetPointerVisible(bool visible) {
    _pointerVisible = visible;
    ShowPointer(_pointerVisible || !_tracked);
}

void TWin32MessageTranslator::ShowPointer(bool show) {
    // The system counts shows and hides, so each is asked for once.
    if (show != _pointerShown) {
        ShowCursor(show ? TRUE : FALSE);
        _pointerShown = show;
    }
}
