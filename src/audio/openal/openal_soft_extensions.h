#pragma once

// The extensions of OpenAL Soft that the mixer uses where the OpenAL it runs
// on has them: the desktop's OpenAL Soft has all of them; the browser's
// OpenAL, over Web Audio, has none, and needs none to play a stereo buffer
// straight to the output sides (it places mono sources only), or to apply
// the changes of one call together (it applies each at once).

#include <AL/al.h>
#include <AL/alc.h>

#include <cstdint>

// Holds back the changes made until the matching ProcessSourceUpdates, so
// that they reach the mixer in the same mixing period.
void DeferSourceUpdates();
void ProcessSourceUpdates();

// The source writes its buffer's channels to the output channels of the
// same names, unplaced.
void SendStraightToOutputs(ALuint source);

// A device that mixes into memory at `hertz`, 16-bit stereo, with a current
// context; null where there is no such device.
struct TLoopbackDevice {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
};
TLoopbackDevice OpenLoopbackDevice(int32_t hertz);
void RenderLoopback(ALCdevice* device, int16_t* out, int32_t frames);
