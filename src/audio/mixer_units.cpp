#include "audio/mixer_units.h"

#include "util/numeric.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double PanUnitRange = 10000.0;
} // namespace

float VolumeCurve(float volume) {
    return std::pow(std::clamp(volume, 0.0f, 1.0f), 0.1f);
}

float PanCurve(float pan) {
    const float q = std::clamp(pan, -1.0f, 1.0f);
    return static_cast<float>(SignFloat(q)) * (1.0f - std::pow(1.0f - std::fabs(q), 0.1f));
}

int32_t MillibelsFromVolumeCurve(float curve) {
    return TruncToInt((1.0 - curve) * -10000.0);
}

int32_t PanUnitsFromPanCurve(float curve) {
    return TruncToInt(curve * PanUnitRange);
}

int32_t FrequencyFromRate(int32_t hertz, float rate) {
    return TruncToInt(hertz * static_cast<double>(rate));
}

float GainFromMillibels(int32_t millibels) {
    return static_cast<float>(std::pow(10.0, millibels / 2000.0));
}

TSourcePosition PositionFromPanUnits(int32_t panUnits) {
    const double x = std::clamp(panUnits / PanUnitRange, -1.0, 1.0);
    return {static_cast<float>(x), 0.0f, static_cast<float>(-std::sqrt(1.0 - x * x))};
}

float PitchFromFrequency(int32_t frequency, int32_t hertz) {
    return static_cast<float>(static_cast<double>(frequency) / hertz);
}
