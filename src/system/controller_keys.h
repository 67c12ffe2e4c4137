#pragma once

// Game controllers as a second keyboard: the controls of a standard
// controller that hold the keys the game already reads, and how far a stick
// or trigger must move before it holds one. Every controller back end goes
// through this one table, so a controller drives the same on every platform,
// and through the same key holders as the keyboard, so a key held on both is
// one held key.

#include "system/key_holders.h"

#include <cstdint>
#include <set>
#include <vector>

// The controls that hold a key, named after the standard layout every
// controller interface maps its pads to. A stick's direction counts as a
// control of its own.
enum class TControllerControl : int32_t {
    A,
    B,
    X,
    Y,
    Back,
    Start,
    LeftShoulder,
    DPadUp,
    DPadDown,
    DPadLeft,
    DPadRight,
    StickLeft,
    StickRight,
    LeftTrigger,
    RightTrigger,
};

// How far a stick or trigger must move, out of 32767, before it holds its
// key: a quarter, so a worn stick resting off centre holds nothing.
inline constexpr int32_t ControllerDeadZone = 8192;

// The virtual-key codes the control holds. Start holds two: Space, which
// starts a game on the title and on the end screens, and Pause, which pauses
// play, so that the one button does what a player expects of it wherever it
// is pressed.
std::vector<int32_t> KeysForControl(TControllerControl control);

// The controls one controller holds down, as it last reported them, and the
// key transitions each new report gives. Reporting a control as it already
// is gives none, so a back end may report every control on every poll.
class TControllerHolds {
public:
    // `device` tells this controller's holds from the keyboard's and from
    // every other controller's in the key holders.
    explicit TControllerHolds(int32_t device) : _device(device) {}

    void SetButton(TControllerControl control, bool held, TKeyHolders& holders,
                   std::vector<TKeyTransition>& transitions);
    // The left stick's horizontal position, -32768 (left) to 32767 (right).
    void SetStickX(int32_t value, TKeyHolders& holders, std::vector<TKeyTransition>& transitions);
    // A trigger's position, 0 at rest to 32767 pulled all the way.
    void SetTrigger(TControllerControl trigger, int32_t value, TKeyHolders& holders,
                    std::vector<TKeyTransition>& transitions);
    // Lets go of every key this controller holds, for when it is unplugged.
    void ReleaseAll(TKeyHolders& holders, std::vector<TKeyTransition>& transitions);

private:
    int32_t _device;
    std::set<TControllerControl> _held;
};
