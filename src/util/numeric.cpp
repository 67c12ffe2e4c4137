#include "util/numeric.h"

#include "util/trigonometry.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {
constexpr double RadiansPerDegree = 0.017453292519943295;
constexpr double DegreesPerRadian = 57.29577951308232;
} // namespace

int32_t TruncToInt(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    if (x >= 2147483647.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (x <= -2147483648.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(x); // C++ conversion truncates toward zero
}

// The sine, cosine and arctangents decide where the cars go: they are the
// engine's own, so that a seed gives the same game on every platform.
double SinDeg(double degrees) {
    return Sine(degrees * RadiansPerDegree);
}
double CosDeg(double degrees) {
    return Cosine(degrees * RadiansPerDegree);
}
double TanDeg(double degrees) {
    return std::tan(degrees * RadiansPerDegree);
}
double ASinDeg(double x) {
    return std::asin(x) * DegreesPerRadian;
}
double ACosDeg(double x) {
    return std::acos(x) * DegreesPerRadian;
}
double ATanDeg(double x) {
    return ArcTangent(x) * DegreesPerRadian;
}
double ATan2Deg(double y, double x) {
    // atan2 gives -pi for a negative zero y (or one too small to move the
    // result off -pi) left of the origin; that direction is +180 degrees.
    const double degrees = ArcTangent2(y, x) * DegreesPerRadian;
    return degrees <= -180.0 ? 180.0 : degrees;
}
double SquareRoot(double x) {
    return std::sqrt(x);
}

double AbsFloat(double x) {
    return std::fabs(x);
}

double SignFloat(double x) {
    if (x > 0.0) {
        return 1.0;
    }
    if (x < 0.0) {
        return -1.0;
    }
    return 0.0;
}

double MinFloat(double a, double b) {
    return a < b ? a : b;
}
double MaxFloat(double a, double b) {
    return a > b ? a : b;
}
