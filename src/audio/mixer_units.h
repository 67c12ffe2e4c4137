#pragma once

// Volume, pan and rate as a channel takes them, the device-neutral units the
// mixing driver keeps (hundredths of a decibel, pan units of ±10000, hertz),
// and what a mixer's source is given for them.

#include <cstdint>

// Volumes and pans are shaped by a 0.1 power curve before they become
// attenuations, so that the audible change is spread over the whole range.
float VolumeCurve(float volume); // volume clamped to 0 ... 1, raised to 0.1
float PanCurve(float pan);       // sign × (1 − (1 − |pan|)^0.1), pan clamped to ±1

// 0 (full) down to -10000 (silent) hundredths of a decibel.
int32_t MillibelsFromVolumeCurve(float curve);
// -10000 (left) ... 10000 (right).
int32_t PanUnitsFromPanCurve(float curve);
// The sound's rate scaled, truncated to whole hertz.
int32_t FrequencyFromRate(int32_t hertz, float rate);

// 10^(mB / 2000): -600 mB is half the amplitude, -10000 mB is 10^-5.
float GainFromMillibels(int32_t millibels);

// The levels of the two output sides for a volume (hundredths of a decibel)
// and a pan (pan units). A pan attenuates only the far side, by its own
// value in hundredths of a decibel: pan 669 leaves the right side at the
// volume and puts the left 6.69 dB below it; ±10000 silences the far side.
// Both sides together never go below -10000 hundredths.
struct TSideGains {
    float left;
    float right;
};
TSideGains SideGains(int32_t volumeMillibels, int32_t panUnits);

// The playing speed, frequency / hertz, of a sound of `hertz` (above 0) played
// at `frequency`. A frequency of 0 or less asks for the sound's own rate (1),
// as 0 does of a sound buffer.
float PitchFromFrequency(int32_t frequency, int32_t hertz);
