#pragma once

// Polled keyboard and pointer input. The game asks, when it needs to know,
// whether a key is held or how often it was pressed since it last asked. The
// answers come from an event hook that keeps a few arrays up to date; every
// query first pumps the pending events, so no separate event loop is needed.
//
// Key codes are Windows virtual-key codes (1 to 255), with Shift, Control and
// Alt always as their left/right variants 160 to 165. Buttons: 1 left,
// 2 right, 3 middle. Keys and buttons outside those ranges read as 0.

#include <cstdint>
#include <memory>

inline constexpr int32_t KeyCodeCount = 256;
inline constexpr int32_t ButtonCount = 4; // index 0 unused
inline constexpr int32_t CharQueueCapacity = 256;

// The key's up-to-down transitions since the last call; the count restarts.
int32_t TakeKeyPresses(int32_t key);
// 1 while the key is down, else 0.
int32_t KeyHeld(int32_t key);
// The oldest queued character code (one UTF-16 unit), removed; 0 when none.
int32_t TakeChar();

// Position in window client pixels as last reported by a pointer move.
int32_t PointerX();
int32_t PointerY();
// The sum of all wheel steps.
int32_t PointerWheel();
// The change since the previous call of the same query.
int32_t PointerXMotion();
int32_t PointerYMotion();
int32_t PointerWheelMotion();

int32_t TakeButtonPresses(int32_t button);
int32_t ButtonHeld(int32_t button);

// Pump (always), then forget every key state, press count and queued character.
void ClearKeyState();
// Pump (always), then forget the button states, their press counts and the wheel.
void ClearPointerState();

// Starts listening to the event stream, counting only events whose source is
// `source` (every source while it is null). Does nothing when already on.
void StartInputTracking(std::shared_ptr<void> source);
// Stops listening and clears everything. Does nothing when already off.
void StopInputTracking();

// 1 while the application is inactive (between AppSuspend and AppResume).
int32_t InputSuspended();
// 1 when a close request came since the last call; the flag is then cleared.
int32_t TakeCloseRequest();

// Blocking waits: the first key (lowest code) / character / button pressed
// after the call.
int32_t WaitForKeyPress();
int32_t WaitForChar();
int32_t WaitForButton();
