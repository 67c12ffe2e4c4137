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

TSideGains SideGains(int32_t volumeMillibels, int32_t panUnits) {
    const auto side = [volumeMillibels](int32_t panAway) {
        return GainFromMillibels(std::max(volumeMillibels - std::max(panAway, 0), -10000));
    };
    return {side(panUnits), side(-panUnits)};
}

float PitchFromFrequency(int32_t frequency, int32_t hertz) {
    if (frequency <= 0) {
        return 1.0f;
    }
    return static_cast<float>(static_cast<double>(frequency) / hertz);
}
