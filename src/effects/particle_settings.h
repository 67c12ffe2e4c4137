#pragma once

// The settings file of a particle emitter: text lines of key=value, each
// handled on its own. Empty lines, lines starting with an apostrophe
// (comments), lines without "=" and unknown keys are skipped without a word.
// Keys match exactly, case and surrounding spaces included; the value is all
// that follows the first "=", read as a number as far as it is one (0 when
// it is none). A key given twice takes its last value.

#include "util/text.h"

#include <cstdint>

class ParticleEmitter;

// Applies one line. An `image` line loads the emitter's picture from the
// value as a path unless `skipImage` is not 0.
void ApplyParticleSetting(ParticleEmitter& emitter, const Text& line, int32_t skipImage);

// Applies every line of the file; a file that cannot be read changes nothing.
void ReadParticleSettings(ParticleEmitter& emitter, const Text& file, int32_t skipImage);
