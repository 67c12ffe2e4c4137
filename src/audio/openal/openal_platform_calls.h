#pragma once

// The calls of the mixer that differ between the OpenAL it runs on: the
// desktop's OpenAL Soft, with the extensions the mixer uses, and the
// browser's OpenAL over Web Audio, which has none of them and needs none to
// play a stereo buffer straight to the output sides (it places mono sources
// only) or to apply the changes of one call together (it applies each at
// once).

#include <AL/al.h>
#include <AL/alc.h>

#include <cstdint>

// Starts, pauses, stops or rewinds the sources in one step of the mixer.
enum class TSourceAction { Play, Pause, Stop, Rewind };
void ApplyToSources(TSourceAction action, ALsizei count, const ALuint* sources);

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
