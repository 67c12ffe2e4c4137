#pragma once

// Repeatable randomness for textures and sounds: values are hashes of their
// inputs, so every run on every machine writes the same files.

#include <cstdint>

inline uint32_t HashNoise(uint32_t a, uint32_t b = 0, uint32_t c = 0) {
    uint32_t h =
        a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Uniform in [0, 1).
inline double UnitNoise(uint32_t a, uint32_t b = 0, uint32_t c = 0) {
    return HashNoise(a, b, c) / 4294967296.0;
}

// Uniform in [-1, 1).
inline double SignedNoise(uint32_t a, uint32_t b = 0, uint32_t c = 0) {
    return UnitNoise(a, b, c) * 2.0 - 1.0;
}
