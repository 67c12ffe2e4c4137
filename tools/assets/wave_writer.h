#pragma once

// Writes sounds as RIFF/WAVE files of 16-bit mono integer PCM, the plainest
// form the game's WAV loader reads.

#include "util/text.h"

#include <cstdint>
#include <vector>

// Scales the signal so that its largest magnitude becomes `peak` (a fraction
// of full scale) and rounds it to 16-bit samples. Silence stays silence.
std::vector<int16_t> ToPcm16(const std::vector<double>& signal, double peak);

// A file that cannot be written raises a runtime error naming it.
void WriteWaveFile(const Text& path, const std::vector<int16_t>& samples, int32_t hertz);
