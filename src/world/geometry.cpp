#include "world/geometry.h"

#include "util/numeric.h"

#include <cmath>

double Distance(float x1, float y1, float x2, float y2) {
    const double dx = static_cast<double>(x1) - static_cast<double>(x2);
    const double dy = static_cast<double>(y1) - static_cast<double>(y2);
    return SquareRoot(dx * dx + dy * dy);
}

float AngleTo(float x1, float y1, float x2, float y2) {
    const double dy = static_cast<double>(y2) - static_cast<double>(y1);
    const double dx = static_cast<double>(x2) - static_cast<double>(x1);
    return WrapAngle(static_cast<float>(ATan2Deg(dy, dx)));
}

float WrapAngle(float angle) {
    // Far from one turn the loops below would take millions of rounds, and
    // beyond about 2^32 subtracting 360 no longer changes a float at all, so
    // they would never end. fmod gives the exact remainder, which is what the
    // loops reach wherever they are exact (every value below 2^26), so
    // ordinary angles wrap exactly as the loops alone would wrap them.
    constexpr float FarOutside = 360.0f * 1024.0f;
    if (std::fabs(angle) >= FarOutside) {
        angle = std::fmod(angle, 360.0f);
    }
    if (angle > 0.0f) {
        while (angle >= 360.0f) {
            angle -= 360.0f;
        }
    } else if (angle < 0.0f) {
        while (angle < 0.0f) {
            angle += 360.0f;
        }
    }
    return angle;
}
