#pragma once

// The process-wide pseudo-random generator: the minimal-standard
// multiplicative congruential generator (multiplier 48271, modulus 2^31 - 1).
// Its whole state is one seed, so a seeded run reproduces exactly.

#include <cstdint>

inline constexpr int32_t InitialRandomSeed = 4660; // 0x1234

// Advances the generator and returns the new seed.
int32_t RandomStep();

float RandomUnitFloat();   // [0, 1), one step
double RandomUnitDouble(); // [0, 1), two steps

// Uniform in [min, max) of the two bounds, whichever order they come in.
double RandomRange(double a, double b);

// Uniform in the closed range between the two bounds, in either order.
int32_t RandomInt(int32_t lo, int32_t hi);

void SeedRandom(int32_t seed);
int32_t RandomSeed();
