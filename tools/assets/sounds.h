#pragma once

// The game's two sounds, synthesised. The game plays the engine at 1 to 3
// times its rate and the crash at 1 and, on the lose screen, at 0.2, so both
// keep their character over that range: the engine has a low firing note
// with a few formants above it, the crash a broad spectrum that turns into a
// long rumble when slowed down.

#include <cstdint>
#include <vector>

inline constexpr int32_t SoundHertz = 22050;

// car2.wav, played in a loop: a four-cylinder engine idling. Every part of
// it repeats a whole number of times within the loop, so the loop joins
// without a click.
std::vector<double> EngineLoop();

// explo.wav: a crash, a thump with crunching metal, a rumble and falling
// debris, rising from silence and fading back to it.
std::vector<double> CrashSound();
