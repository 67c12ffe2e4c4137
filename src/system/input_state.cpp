#include "system/input_state.h"

#include "system/event.h"
#include "system/system_driver.h"

#include <array>

namespace {

struct TInputState {
    std::array<int32_t, KeyCodeCount> keyStates{};
    std::array<int32_t, KeyCodeCount> keyPresses{};
    // A ring read and written through free-running counters: the slot is the
    // counter modulo the capacity, and the unsigned difference is the fill.
    std::array<int32_t, CharQueueCapacity> chars{};
    uint32_t charsRead = 0;
    uint32_t charsWritten = 0;
    std::array<int32_t, ButtonCount> buttonStates{};
    std::array<int32_t, ButtonCount> buttonPresses{};
    int32_t pointerX = 0;
    int32_t pointerY = 0;
    int32_t wheel = 0;
    int32_t reportedX = 0;
    int32_t reportedY = 0;
    int32_t reportedWheel = 0;
    bool enabled = false;
    std::shared_ptr<void> sourceFilter;
    int32_t suspended = 0;
    int32_t closeRequested = 0;
};

TInputState& State() {
    static TInputState state;
    return state;
}

bool IsKey(int32_t key) {
    return key >= 0 && key < KeyCodeCount;
}

bool IsButton(int32_t button) {
    return button >= 0 && button < ButtonCount;
}

void ResetKeys(TInputState& state) {
    state.charsRead = 0;
    state.charsWritten = 0;
    state.keyStates.fill(0);
    state.keyPresses.fill(0);
}

void ResetPointer(TInputState& state) {
    state.buttonStates.fill(0);
    state.buttonPresses.fill(0);
    state.wheel = 0;
}

template <size_t N>
void Press(std::array<int32_t, N>& states, std::array<int32_t, N>& presses, int32_t index) {
    // A down event for something already down (a repeat that was not marked
    // as one) is not a new press.
    if (states[static_cast<size_t>(index)] == 0) {
        states[static_cast<size_t>(index)] = 1;
        ++presses[static_cast<size_t>(index)];
    }
}

void QueueChar(TInputState& state, int32_t code) {
    if (state.charsWritten - state.charsRead < CharQueueCapacity) {
        state.chars[state.charsWritten % CharQueueCapacity] = code;
        ++state.charsWritten;
    }
}

THookData InputHook(int32_t, const THookData& data, const THookData&) {
    auto& state = State();
    const auto event = std::static_pointer_cast<TEvent>(data);
    if (!event || (state.sourceFilter && state.sourceFilter != event->source)) {
        return data;
    }
    // Anyone may emit events, so codes are checked before they index anything.
    switch (event->id) {
    case EventKeyDown:
        if (IsKey(event->data)) {
            Press(state.keyStates, state.keyPresses, event->data);
        }
        break;
    case EventKeyUp:
        if (IsKey(event->data)) {
            state.keyStates[static_cast<size_t>(event->data)] = 0;
        }
        break;
    case EventKeyChar:
        QueueChar(state, event->data);
        break;
    case EventMouseDown:
        if (IsButton(event->data)) {
            Press(state.buttonStates, state.buttonPresses, event->data);
        }
        break;
    case EventMouseUp:
        if (IsButton(event->data)) {
            state.buttonStates[static_cast<size_t>(event->data)] = 0;
        }
        break;
    case EventMouseMove:
        state.pointerX = event->x;
        state.pointerY = event->y;
        break;
    case EventMouseWheel:
        state.wheel += event->data;
        break;
    case EventAppSuspend:
    case EventAppResume:
        // Keys released while another application had the focus never
        // reported their release here, so nothing held can be trusted.
        ClearKeyState();
        ClearPointerState();
        state.suspended = event->id == EventAppSuspend ? 1 : 0;
        break;
    case EventAppTerminate:
        state.closeRequested = 1;
        break;
    default:
        break;
    }
    return data;
}

template <size_t N>
int32_t Take(std::array<int32_t, N>& counts, int32_t index) {
    const int32_t count = counts[static_cast<size_t>(index)];
    counts[static_cast<size_t>(index)] = 0;
    return count;
}

int32_t Motion(int32_t current, int32_t& reported) {
    const int32_t motion = current - reported;
    reported = current;
    return motion;
}

} // namespace

int32_t TakeKeyPresses(int32_t key) {
    PumpSystemEvents();
    return IsKey(key) ? Take(State().keyPresses, key) : 0;
}

int32_t KeyHeld(int32_t key) {
    PumpSystemEvents();
    return IsKey(key) ? State().keyStates[static_cast<size_t>(key)] : 0;
}

int32_t TakeChar() {
    PumpSystemEvents();
    auto& state = State();
    if (state.charsRead == state.charsWritten) {
        return 0;
    }
    return state.chars[state.charsRead++ % CharQueueCapacity];
}

int32_t PointerX() {
    PumpSystemEvents();
    return State().pointerX;
}

int32_t PointerY() {
    PumpSystemEvents();
    return State().pointerY;
}

int32_t PointerWheel() {
    PumpSystemEvents();
    return State().wheel;
}

int32_t PointerXMotion() {
    PumpSystemEvents();
    return Motion(State().pointerX, State().reportedX);
}

int32_t PointerYMotion() {
    PumpSystemEvents();
    return Motion(State().pointerY, State().reportedY);
}

int32_t PointerWheelMotion() {
    PumpSystemEvents();
    return Motion(State().wheel, State().reportedWheel);
}

int32_t TakeButtonPresses(int32_t button) {
    PumpSystemEvents();
    return IsButton(button) ? Take(State().buttonPresses, button) : 0;
}

int32_t ButtonHeld(int32_t button) {
    PumpSystemEvents();
    return IsButton(button) ? State().buttonStates[static_cast<size_t>(button)] : 0;
}

void ClearKeyState() {
    // Inside the hook this pump returns at once: the pump is already running.
    PumpSystemEvents();
    ResetKeys(State());
}

void ClearPointerState() {
    PumpSystemEvents();
    ResetPointer(State());
}

void StartInputTracking(std::shared_ptr<void> source) {
    auto& state = State();
    if (state.enabled) {
        return;
    }
    state.sourceFilter = std::move(source);
    ClearKeyState();
    ClearPointerState();
    AttachHook(EmitEventHook(), InputHook, nullptr, 0);
    state.enabled = true;
}

void StopInputTracking() {
    auto& state = State();
    if (!state.enabled) {
        return;
    }
    DetachHook(EmitEventHook(), InputHook, nullptr);
    ClearKeyState();
    ClearPointerState();
    state.sourceFilter = nullptr;
    state.enabled = false;
}

int32_t InputSuspended() {
    PumpSystemEvents();
    return State().suspended;
}

int32_t TakeCloseRequest() {
    PumpSystemEvents();
    auto& state = State();
    const int32_t requested = state.closeRequested;
    state.closeRequested = 0;
    return requested;
}

int32_t WaitForKeyPress() {
    ClearKeyState();
    for (;;) {
        WaitSystemEvent();
        for (int32_t key = 1; key < KeyCodeCount; ++key) {
            if (TakeKeyPresses(key) != 0) {
                return key;
            }
        }
    }
}

int32_t WaitForChar() {
    ClearKeyState();
    for (;;) {
        WaitSystemEvent();
        if (const int32_t code = TakeChar(); code != 0) {
            return code;
        }
    }
}

int32_t WaitForButton() {
    ClearPointerState();
    for (;;) {
        WaitSystemEvent();
        for (int32_t button = 1; button < ButtonCount; ++button) {
            if (TakeButtonPresses(button) != 0) {
                return button;
            }
        }
    }
}
