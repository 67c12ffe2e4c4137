#include "util/trigonometry.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

uint32_t HighWord(double x) {
    uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return static_cast<uint32_t>(bits >> 32);
}

// pi / 2 in three parts of 33 bits each, with each part's tail, so that
// n * part is exact for the n of the reduction.
constexpr double InversePiOver2 = 6.36619772367581382433e-01;
constexpr double PiOver2Part1 = 1.57079632673412561417e+00;
constexpr double PiOver2Tail1 = 6.07710050650619224932e-11;
constexpr double PiOver2Part2 = 6.07710050630396597660e-11;
constexpr double PiOver2Tail2 = 2.02226624879595063154e-21;
constexpr double PiOver2Part3 = 2.02226624871116645580e-21;
constexpr double PiOver2Tail3 = 8.47842766036889956997e-32;

// Beyond this the reduction below loses its exactness.
constexpr double MediumLimit = 1647099.0; // about 2^20 * pi / 2
constexpr double TwoPi = 6.28318530717958623200e+00;

struct TReduced {
    int32_t quadrant; // n mod 4
    double head;      // x - n pi/2 = head + tail, |head| <= about pi/4
    double tail;
};

int32_t BiasedExponent(double x) {
    return static_cast<int32_t>((HighWord(x) >> 20) & 0x7FF);
}

// x - n pi/2 for the nearest n, as a head and a tail that carry the bits
// lost to cancellation: each further part of pi/2 is subtracted while the
// result has lost more bits than the previous part holds.
TReduced Reduce(double x) {
    if (std::fabs(x) >= MediumLimit) {
        x = std::fmod(x, TwoPi);
    }
    // Rounded to the nearest whole number by the addition itself, which
    // leaves no fraction bits at this magnitude.
    constexpr double ToWhole = 0x1.8p52;
    const double n = (x * InversePiOver2 + ToWhole) - ToWhole;
    double remainder = x - n * PiOver2Part1;
    double correction = n * PiOver2Tail1;
    double head = remainder - correction;
    const int32_t exponent = BiasedExponent(x);
    if (exponent - BiasedExponent(head) > 16) {
        double previous = remainder;
        correction = n * PiOver2Part2;
        remainder = previous - correction;
        correction = n * PiOver2Tail2 - ((previous - remainder) - correction);
        head = remainder - correction;
        if (exponent - BiasedExponent(head) > 49) {
            previous = remainder;
            correction = n * PiOver2Part3;
            remainder = previous - correction;
            correction = n * PiOver2Tail3 - ((previous - remainder) - correction);
            head = remainder - correction;
        }
    }
    const double tail = (remainder - head) - correction;
    const auto quadrant = static_cast<int32_t>(static_cast<int64_t>(n) & 3);
    return {quadrant, head, tail};
}

// sin(x + y) for |x| <= pi/4, y the tail of x (0 when `hasTail` is false).
double SineKernel(double x, double y, bool hasTail) {
    constexpr double S1 = -1.66666666666666324348e-01;
    constexpr double S2 = 8.33333333332248946124e-03;
    constexpr double S3 = -1.98412698298579493134e-04;
    constexpr double S4 = 2.75573137070700676789e-06;
    constexpr double S5 = -2.50507602534068634195e-08;
    constexpr double S6 = 1.58969099521155010221e-10;
    const double z = x * x;
    const double w = z * z;
    const double r = S2 + z * (S3 + z * S4) + z * w * (S5 + z * S6);
    const double v = z * x;
    if (!hasTail) {
        return x + v * (S1 + z * r);
    }
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

// cos(x + y) for |x| <= pi/4.
double CosineKernel(double x, double y) {
    constexpr double C1 = 4.16666666666666019037e-02;
    constexpr double C2 = -1.38888888888741095749e-03;
    constexpr double C3 = 2.48015872894767294178e-05;
    constexpr double C4 = -2.75573143513906633035e-07;
    constexpr double C5 = 2.08757232129817482790e-09;
    constexpr double C6 = -1.13596475577881948265e-11;
    const double z = x * x;
    const double w = z * z;
    const double r = z * (C1 + z * (C2 + z * C3)) + w * w * (C4 + z * (C5 + z * C6));
    const double halfZ = 0.5 * z;
    const double oneMinus = 1.0 - halfZ;
    return oneMinus + (((1.0 - oneMinus) - halfZ) + (z * r - x * y));
}

constexpr double PiOver4 = 7.85398163397448278999e-01;

} // namespace

double Sine(double x) {
    if (std::fabs(x) <= PiOver4) {
        // Below 2^-26 the polynomial adds nothing to x.
        return std::fabs(x) < 0x1p-26 ? x : SineKernel(x, 0.0, false);
    }
    if (!std::isfinite(x)) {
        return x - x; // NaN
    }
    const TReduced r = Reduce(x);
    switch (r.quadrant) {
    case 0:
        return SineKernel(r.head, r.tail, true);
    case 1:
        return CosineKernel(r.head, r.tail);
    case 2:
        return -SineKernel(r.head, r.tail, true);
    default:
        return -CosineKernel(r.head, r.tail);
    }
}

double Cosine(double x) {
    if (std::fabs(x) <= PiOver4) {
        return std::fabs(x) < 0x1p-27 ? 1.0 : CosineKernel(x, 0.0);
    }
    if (!std::isfinite(x)) {
        return x - x; // NaN
    }
    const TReduced r = Reduce(x);
    switch (r.quadrant) {
    case 0:
        return CosineKernel(r.head, r.tail);
    case 1:
        return -SineKernel(r.head, r.tail, true);
    case 2:
        return -CosineKernel(r.head, r.tail);
    default:
        return SineKernel(r.head, r.tail, true);
    }
}

double ArcTangent(double x) {
    // atan of the breakpoints 0.5, 1, 1.5 and infinity, each as a head and
    // a tail.
    constexpr double AtanHigh[] = {4.63647609000806093515e-01, 7.85398163397448278999e-01,
                                   9.82793723247329054082e-01, 1.57079632679489655800e+00};
    constexpr double AtanLow[] = {2.26987774529616870924e-17, 3.06161699786838301793e-17,
                                  1.39033110312309984516e-17, 6.12323399573676603587e-17};
    constexpr double T[] = {
        3.33333333333329318027e-01,  -1.99999999998764832476e-01, 1.42857142725034663711e-01,
        -1.11111104054623557880e-01, 9.09088713343650656196e-02,  -7.69187620504482999495e-02,
        6.66107313738753120669e-02,  -5.83357013379057348645e-02, 4.97687799461593236017e-02,
        -3.65315727442169155270e-02, 1.62858201153657823623e-02};
    if (std::isnan(x)) {
        return x + x;
    }
    const bool negative = std::signbit(x);
    double a = std::fabs(x);
    if (a >= 0x1p66) {
        return negative ? -(AtanHigh[3] + AtanLow[3]) : AtanHigh[3] + AtanLow[3];
    }
    // The breakpoint nearest the argument, and the argument moved next to 0.
    int breakpoint = -1;
    if (a < 0.4375) {
        if (a < 0x1p-27) {
            return x;
        }
        a = x;
    } else if (a < 0.6875) {
        breakpoint = 0;
        a = (2.0 * a - 1.0) / (2.0 + a);
    } else if (a < 1.1875) {
        breakpoint = 1;
        a = (a - 1.0) / (a + 1.0);
    } else if (a < 2.4375) {
        breakpoint = 2;
        a = (a - 1.5) / (1.0 + 1.5 * a);
    } else {
        breakpoint = 3;
        a = -1.0 / a;
    }
    const double z = a * a;
    const double w = z * z;
    const double odd = z * (T[0] + w * (T[2] + w * (T[4] + w * (T[6] + w * (T[8] + w * T[10])))));
    const double even = w * (T[1] + w * (T[3] + w * (T[5] + w * (T[7] + w * T[9]))));
    if (breakpoint < 0) {
        return a - a * (odd + even);
    }
    const double result = AtanHigh[breakpoint] - ((a * (odd + even) - AtanLow[breakpoint]) - a);
    return negative ? -result : result;
}

double ArcTangent2(double y, double x) {
    constexpr double Pi = 3.1415926535897931160e+00;
    constexpr double PiLow = 1.2246467991473531772e-16;
    constexpr double PiOver2 = 1.5707963267948965580e+00;
    if (std::isnan(x) || std::isnan(y)) {
        return x + y;
    }
    if (x == 1.0) {
        return ArcTangent(y);
    }
    const bool yNegative = std::signbit(y);
    const bool xNegative = std::signbit(x);
    if (y == 0.0) {
        // ±0 to the right (or at +0), ±pi to the left (or at -0).
        return xNegative ? (yNegative ? -Pi : Pi) : y;
    }
    if (x == 0.0) {
        return yNegative ? -PiOver2 : PiOver2;
    }
    if (std::isinf(x)) {
        const double angle =
            std::isinf(y) ? (xNegative ? 3.0 * PiOver4 : PiOver4) : (xNegative ? Pi : 0.0);
        return yNegative ? -angle : angle;
    }
    if (std::isinf(y)) {
        return yNegative ? -PiOver2 : PiOver2;
    }
    // |y / x| beyond 2^60 is a right angle; a negative x with |y / x| below
    // 2^-60 leaves pi alone.
    const int32_t exponentGap = BiasedExponent(y) - BiasedExponent(x);
    double z = 0.0;
    bool leftHalf = xNegative;
    if (exponentGap > 60) {
        z = PiOver2 + 0.5 * PiLow;
        leftHalf = false;
    } else if (xNegative && exponentGap < -60) {
        z = 0.0;
    } else {
        z = ArcTangent(std::fabs(y / x));
    }
    if (!leftHalf) {
        return yNegative ? -z : z;
    }
    return yNegative ? (z - PiLow) - Pi : Pi - (z - PiLow);
}
