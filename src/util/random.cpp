#include "util/random.h"

#include "util/numeric.h"

namespace {
int32_t seed = InitialRandomSeed;
}

int32_t RandomStep() {
    // Schrage's method keeps 48271 * seed mod (2^31 - 1) within 32 bits.
    int32_t s = 48271 * (seed % 44488) - 3399 * (seed / 44488);
    if (s < 0) {
        s += 0x7FFFFFFF;
    }
    seed = s;
    return seed;
}

float RandomUnitFloat() {
    RandomStep();
    return static_cast<float>((seed & 0x0FFFFFF0) / 268435456.0);
}

double RandomUnitDouble() {
    RandomStep();
    const double a = seed & 0x1FFFFFFC;
    RandomStep();
    const double b = seed & 0x1FFFFFF8;
    return (a + b / 134217728.0) / 536870912.0;
}

double RandomRange(double a, double b) {
    const double r = RandomUnitDouble();
    if (b > a) {
        return a + r * (b - a);
    }
    return b + r * (a - b);
}

int32_t RandomInt(int32_t lo, int32_t hi) {
    // The span wraps in 32 bits like the rest of the integer arithmetic.
    const auto d = static_cast<int32_t>(static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo));
    const double r = RandomUnitDouble();
    if (d > 0) {
        return lo + TruncToInt(r * (d + 1.0));
    }
    return hi + TruncToInt(r * (1.0 - d));
}

void SeedRandom(int32_t s) {
    seed = s & 0x7FFFFFFF;
    if (seed == 0 || seed == 0x7FFFFFFF) {
        seed = InitialRandomSeed;
    }
}

int32_t RandomSeed() {
    return seed;
}
