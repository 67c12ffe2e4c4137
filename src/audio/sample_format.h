#pragma once

// The six PCM layouts a sample can have. A frame is one value per channel,
// interleaved first channel then second. Every conversion between two
// layouts passes through 16-bit stereo big-endian, so each layout only needs
// one way up to it and one way down from it.

#include <cstdint>

inline constexpr int32_t FormatMono8 = 1;      // unsigned, 128 is silence
inline constexpr int32_t FormatMono16LE = 2;   // signed
inline constexpr int32_t FormatMono16BE = 3;   // signed
inline constexpr int32_t FormatStereo8 = 4;    // unsigned
inline constexpr int32_t FormatStereo16LE = 5; // signed
inline constexpr int32_t FormatStereo16BE = 6; // signed

// Both are 0 for a code that is no format (0 or anything outside 1 ... 6).
int32_t BytesPerFrame(int32_t format);
int32_t ChannelCount(int32_t format);

bool IsSampleFormat(int32_t format);

// Converts `frames` frames from `source` in one format into `target` in
// another. The same code on both sides is a plain copy, whatever the code;
// otherwise raises "Unimplemented sample format conversion" when either code
// is no format.
void ConvertSampleFrames(const uint8_t* source, int32_t sourceFormat, uint8_t* target,
                         int32_t targetFormat, int32_t frames);
