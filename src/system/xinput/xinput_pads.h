#pragma once

// XInput's game controllers as a second keyboard. XInput sends no events: a
// program asks for each of its four pads' state, so the pads are polled once
// per pump and each poll's state is compared with what the pad last held.
// Loading XInput itself is the Windows back end's; this part only needs a
// way to read a pad, so it runs the same against a fake one.

#include "system/controller_keys.h"
#include "system/key_holders.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The part of XInput's gamepad report the controller table reads, with
// XInput's own ranges: triggers 0 to 255, the stick -32768 to 32767.
struct TXInputPadState {
    uint16_t buttons = 0; // XInput's button bits, below
    uint8_t leftTrigger = 0;
    uint8_t rightTrigger = 0;
    int16_t thumbLX = 0;
};

// XInput's button bits.
inline constexpr uint16_t XInputDPadUp = 0x0001;
inline constexpr uint16_t XInputDPadDown = 0x0002;
inline constexpr uint16_t XInputDPadLeft = 0x0004;
inline constexpr uint16_t XInputDPadRight = 0x0008;
inline constexpr uint16_t XInputStart = 0x0010;
inline constexpr uint16_t XInputBack = 0x0020;
inline constexpr uint16_t XInputLeftShoulder = 0x0100;
inline constexpr uint16_t XInputA = 0x1000;
inline constexpr uint16_t XInputB = 0x2000;
inline constexpr uint16_t XInputX = 0x4000;
inline constexpr uint16_t XInputY = 0x8000;

// Reads pad `index` (0 to 3) into `state`; false when no pad is plugged in
// there.
using TXInputReader = std::function<bool(uint32_t index, TXInputPadState& state)>;

class TXInputPads {
public:
    static constexpr uint32_t PadCount = 4;
    // Asking XInput about an empty slot is slow (it searches for a device),
    // so an empty slot is asked again only on every this many polls: a pad
    // plugged in is noticed within half a second at 60 polls a second.
    static constexpr int32_t EmptySlotPollInterval = 30;

    explicit TXInputPads(TXInputReader read) : _read(std::move(read)) {}

    // The key transitions since the previous poll: the controls that moved,
    // and every key of a pad that went away. The first poll finds the pads
    // already plugged in. Each pad is told apart in the key holders by its
    // index, 0 to 3.
    std::vector<TKeyTransition> Poll(TKeyHolders& holders);

private:
    TXInputReader _read;
    std::array<std::optional<TControllerHolds>, PadCount> _pads;
    int32_t _polls = 0;
};

// A trigger's 0 to 255 in the controller table's 0 to 32767, so that it
// holds its key at the same pull as under the other back ends (from 64 on).
int32_t TriggerPosition(uint8_t trigger);
