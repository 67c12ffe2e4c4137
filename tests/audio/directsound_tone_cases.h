#pragma once

// The tones that directsound-tone-player plays, one after another with
// silence between them, and what a recording of them must show: each side's
// level below that of the samples, and the pitch. The expected figures are
// the DirectSound units of each setting: volume v is (1 - v^0.1) × -10000
// hundredths of a decibel, truncated; pan p takes sign(p) × (1 - (1 - |p|)^0.1)
// × 10000 hundredths of a decibel from the far side; rate r plays the sound at
// r times its rate.

#include <cstdint>

namespace DirectSoundTones {

// A looped sine of 1050 Hz at half of full scale: 21 frames a period, so the
// one-second sound loops seamlessly.
constexpr int32_t SoundHertz = 22050;
constexpr int32_t FramesPerPeriod = 21;
constexpr double ToneHertz = double(SoundHertz) / FramesPerPeriod;
constexpr double Amplitude = 0.5;

// Silence played before the first tone: Wine starts its output stream with
// the first sound, and its first few hundred milliseconds may be lost.
constexpr int32_t LeadInMilliseconds = 1000;
constexpr int32_t ToneMilliseconds = 700;
constexpr int32_t GapMilliseconds = 300;

// A side silenced by a full pan: -100 dB, below anything measured.
constexpr double Silenced = -100.0;

struct TCase {
    const char* name;
    float volume;
    float pan;
    float rate;
    double leftDb; // below the samples' own level
    double rightDb;
    double hertz;
};

inline constexpr TCase Cases[] = {
    {"volume 1", 1.0f, 0.0f, 1.0f, 0.0, 0.0, ToneHertz},
    {"volume 0.5", 0.5f, 0.0f, 1.0f, -6.69, -6.69, ToneHertz},
    {"volume 0.25", 0.25f, 0.0f, 1.0f, -12.94, -12.94, ToneHertz},
    {"pan left", 1.0f, -1.0f, 1.0f, 0.0, Silenced, ToneHertz},
    {"pan right", 1.0f, 1.0f, 1.0f, Silenced, 0.0, ToneHertz},
    {"pan 0.5", 1.0f, 0.5f, 1.0f, -6.69, 0.0, ToneHertz},
    {"rate 2", 1.0f, 0.0f, 2.0f, 0.0, 0.0, 2 * ToneHertz},
};

} // namespace DirectSoundTones
