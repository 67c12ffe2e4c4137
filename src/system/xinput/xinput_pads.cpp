#include "system/xinput/xinput_pads.h"

namespace {

struct TButtonBit {
    uint16_t bit;
    TControllerControl control;
};

constexpr TButtonBit ButtonBits[] = {
    {XInputA, TControllerControl::A},
    {XInputB, TControllerControl::B},
    {XInputX, TControllerControl::X},
    {XInputY, TControllerControl::Y},
    {XInputBack, TControllerControl::Back},
    {XInputStart, TControllerControl::Start},
    {XInputLeftShoulder, TControllerControl::LeftShoulder},
    {XInputDPadUp, TControllerControl::DPadUp},
    {XInputDPadDown, TControllerControl::DPadDown},
    {XInputDPadLeft, TControllerControl::DPadLeft},
    {XInputDPadRight, TControllerControl::DPadRight},
};

void Apply(const TXInputPadState& state, TControllerHolds& holds, TKeyHolders& holders,
           std::vector<TKeyTransition>& transitions) {
    for (const TButtonBit& button : ButtonBits) {
        holds.SetButton(button.control, (state.buttons & button.bit) != 0, holders, transitions);
    }
    holds.SetStickX(state.thumbLX, holders, transitions);
    holds.SetTrigger(TControllerControl::LeftTrigger, TriggerPosition(state.leftTrigger), holders,
                     transitions);
    holds.SetTrigger(TControllerControl::RightTrigger, TriggerPosition(state.rightTrigger), holders,
                     transitions);
}

} // namespace

int32_t TriggerPosition(uint8_t trigger) {
    return trigger * 32767 / 255;
}

std::vector<TKeyTransition> TXInputPads::Poll(TKeyHolders& holders) {
    std::vector<TKeyTransition> transitions;
    const bool askEmptySlots = _polls % EmptySlotPollInterval == 0;
    _polls = (_polls + 1) % EmptySlotPollInterval;
    for (uint32_t index = 0; index < PadCount; ++index) {
        std::optional<TControllerHolds>& pad = _pads[index];
        if (!pad && !askEmptySlots) {
            continue;
        }
        TXInputPadState state;
        if (!_read(index, state)) {
            if (pad) {
                pad->ReleaseAll(holders, transitions);
                pad.reset();
            }
            continue;
        }
        if (!pad) {
            pad.emplace(static_cast<int32_t>(index));
        }
        Apply(state, *pad, holders, transitions);
    }
    return transitions;
}
