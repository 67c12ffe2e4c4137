#include "sounds.h"

#include "noise.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double Tau = 2.0 * std::numbers::pi;

double Seconds(size_t sample) {
    return static_cast<double>(sample) / SoundHertz;
}

// A sine of `hertz` dying away with time constant `decay` seconds.
double Ring(double t, double hertz, double decay, double phase = 0.0) {
    return std::exp(-t / decay) * std::sin(Tau * hertz * t + phase);
}

// Smooths white noise with a one-pole low-pass; `smoothing` near 0 keeps
// only the lowest frequencies. With `circular` the filter runs over the
// signal twice, so its end flows into its start and the result loops.
std::vector<double> FilteredNoise(size_t length, uint32_t seed, double smoothing, bool circular) {
    std::vector<double> noise(length);
    double state = 0.0;
    for (int pass = circular ? 0 : 1; pass < 2; ++pass) {
        for (size_t i = 0; i < length; ++i) {
            state += smoothing * (SignedNoise(static_cast<uint32_t>(i), seed) - state);
            noise[i] = state;
        }
    }
    return noise;
}

// The engine: one firing every 420 samples (52.5 Hz at rate 1), four
// cylinders of slightly different strength and timing, twelve turns of the
// crankshaft per loop.
constexpr size_t FiringPeriod = 420;
constexpr size_t Cylinders = 4;
constexpr size_t Cycles = 12;
constexpr size_t EngineLength = FiringPeriod * Cylinders * Cycles;

constexpr std::array<double, Cylinders> CylinderStrength = {1.0, 0.84, 0.94, 0.78};
constexpr std::array<size_t, Cylinders> CylinderLag = {0, 5, 2, 7};

// One exhaust pulse: a low thump with two formants, after a short attack
// that keeps it free of clicks.
double FiringPulse(double t) {
    const double attack = std::min(1.0, t / 0.0006);
    return attack * (Ring(t, 95.0, 0.0065) + 0.8 * Ring(t, 310.0, 0.0035, 0.4) +
                     0.35 * Ring(t, 820.0, 0.002, 1.1));
}

} // namespace

std::vector<double> EngineLoop() {
    std::vector<double> sound(EngineLength, 0.0);
    // Pulses ring on past the next firing; their tails wrap round to the
    // start of the loop, where the previous turn of the loop would put them.
    const size_t pulseLength = 3 * FiringPeriod;
    for (size_t firing = 0; firing < Cylinders * Cycles; ++firing) {
        const size_t cylinder = firing % Cylinders;
        const size_t start = firing * FiringPeriod + CylinderLag[cylinder];
        for (size_t i = 0; i < pulseLength; ++i) {
            sound[(start + i) % EngineLength] +=
                CylinderStrength[cylinder] * FiringPulse(Seconds(i));
        }
    }
    // Combustion hiss that swells at every firing, and the crankshaft's hum
    // at the firing rate and at half of it.
    const auto hiss = FilteredNoise(EngineLength, 1, 0.3, true);
    for (size_t i = 0; i < EngineLength; ++i) {
        const double sinceFiring = Seconds(i % FiringPeriod);
        const double cycle = static_cast<double>(i) / FiringPeriod;
        sound[i] += 0.35 * hiss[i] * std::exp(-sinceFiring / 0.004) + 0.25 * std::sin(Tau * cycle) +
                    0.12 * std::sin(Tau * cycle / 2.0 + 0.7);
    }
    double mean = 0.0;
    for (const double value : sound) {
        mean += value;
    }
    mean /= static_cast<double>(EngineLength);
    for (double& value : sound) {
        value -= mean;
    }
    return sound;
}

std::vector<double> CrashSound() {
    const size_t length = static_cast<size_t>(1.4 * SoundHertz);
    const auto crunch = FilteredNoise(length, 2, 0.5, false);
    const auto rumble = FilteredNoise(length, 3, 0.02, false);
    std::vector<double> sound(length, 0.0);

    // Inharmonic partials of a struck panel.
    constexpr std::array<double, 4> PanelModes = {440.0, 1214.0, 2376.0, 3929.0};
    // A second, smaller impact as parts of the car give way.
    constexpr double SecondImpact = 0.18;

    double thumpPhase = 0.0;
    for (size_t i = 0; i < length; ++i) {
        const double t = Seconds(i);
        thumpPhase += Tau * (40.0 + 90.0 * std::exp(-t / 0.08)) / SoundHertz;
        double value = std::exp(-t / 0.18) * std::sin(thumpPhase);
        value += 0.8 * crunch[i] * std::exp(-t / 0.22);
        value += 0.5 * SignedNoise(static_cast<uint32_t>(i), 4) * std::exp(-t / 0.03);
        value += 9.0 * rumble[i] * std::exp(-t / 0.6);
        for (size_t mode = 0; mode < PanelModes.size(); ++mode) {
            value += 0.3 / (1.0 + static_cast<double>(mode)) *
                     Ring(t, PanelModes[mode], 0.25, static_cast<double>(mode));
        }
        if (t >= SecondImpact) {
            const double since = t - SecondImpact;
            value += 0.45 * Ring(since, 70.0, 0.08) + 0.4 * crunch[i] * std::exp(-since / 0.06);
        }
        sound[i] = value;
    }

    // Debris: short high clinks, thick at first and thinning out.
    for (uint32_t piece = 0; piece < 18; ++piece) {
        const double u = UnitNoise(piece, 5);
        const double start = 0.05 + 0.7 * u * u;
        const double hertz = 2500.0 + 2500.0 * UnitNoise(piece, 6);
        const double loudness = 0.18 * (1.0 - start);
        const auto first = static_cast<size_t>(start * SoundHertz);
        for (size_t i = first; i < std::min(length, first + SoundHertz / 20); ++i) {
            sound[i] += loudness * Ring(Seconds(i - first), hertz, 0.008);
        }
    }

    // A high-pass takes out the offset the rumble leaves; a soft limiter
    // gives the hit its weight; the ends ramp from and to silence so neither
    // start nor end clicks.
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (double& value : sound) {
        const double out = value - previousIn + 0.995 * previousOut;
        previousIn = value;
        previousOut = out;
        value = out;
    }
    const double fadeIn = 0.002 * SoundHertz;
    const double fadeOut = 0.08 * SoundHertz;
    for (size_t i = 0; i < length; ++i) {
        const double in = std::min(1.0, static_cast<double>(i) / fadeIn);
        const double out = std::min(1.0, static_cast<double>(length - 1 - i) / fadeOut);
        sound[i] = std::tanh(1.5 * sound[i]) * in * (0.5 - 0.5 * std::cos(std::numbers::pi * out));
    }
    return sound;
}
