#include "util/trigonometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

int64_t Bits(double x) {
    int64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// Units in the last place between two finite doubles of the same sign.
int64_t UlpDistance(double a, double b) {
    if (a == b) {
        return 0;
    }
    if (std::signbit(a) != std::signbit(b)) {
        return std::numeric_limits<int64_t>::max();
    }
    const int64_t d = Bits(a) - Bits(b);
    return d < 0 ? -d : d;
}

// The arguments the game gives: degrees of every size it turns through as
// radians, and a spread of ratios for the arctangents.
std::vector<double> Arguments() {
    std::vector<double> arguments;
    for (int i = -200000; i <= 200000; ++i) {
        arguments.push_back(i * 0.0123456789);
    }
    for (double x = 1e-9; x < 1e6; x *= 1.001) {
        arguments.push_back(x);
        arguments.push_back(-x);
    }
    return arguments;
}

// Rounded from the extended-precision library functions, which glibc
// computes far more exactly than a double holds.
double ReferenceSine(double x) {
    return static_cast<double>(std::sin(static_cast<long double>(x)));
}
double ReferenceCosine(double x) {
    return static_cast<double>(std::cos(static_cast<long double>(x)));
}
double ReferenceArcTangent2(double y, double x) {
    return static_cast<double>(
        std::atan2(static_cast<long double>(y), static_cast<long double>(x)));
}

} // namespace

TEST(Trigonometry, IsWithinAUnitOrTwoInTheLastPlace) {
#ifdef _WIN32
    GTEST_SKIP() << "MinGW's extended-precision sine loses digits near its zeros: no reference";
#endif
    int64_t worstSine = 0;
    int64_t worstArcTangent = 0;
    for (const double x : Arguments()) {
        worstSine = std::max(worstSine, UlpDistance(Sine(x), ReferenceSine(x)));
        worstSine = std::max(worstSine, UlpDistance(Cosine(x), ReferenceCosine(x)));
        // The quotient y / x is rounded before its arctangent is taken.
        worstArcTangent = std::max(worstArcTangent,
                                   UlpDistance(ArcTangent2(x, 1.7), ReferenceArcTangent2(x, 1.7)));
        worstArcTangent = std::max(
            worstArcTangent, UlpDistance(ArcTangent2(-2.3, x), ReferenceArcTangent2(-2.3, x)));
    }
    EXPECT_LE(worstSine, 1);
    EXPECT_LE(worstArcTangent, 2);
}

// Every bit of every result, over arguments of every size, folded into one
// number: the same on every platform the game is built for (this value is
// what Linux and Windows both compute).
TEST(Trigonometry, GivesTheSameBitsOnEveryPlatform) {
    uint64_t fold = 0;
    const auto add = [&fold](double value) {
        fold = (fold ^ static_cast<uint64_t>(Bits(value))) * 0x100000001B3ull;
    };
    for (const double x : Arguments()) {
        add(Sine(x));
        add(Cosine(x));
        add(ArcTangent(x));
        add(ArcTangent2(x, -0.75));
    }
    for (const double huge : {1e7, -3e9, 1e300}) {
        add(Sine(huge));
        add(Cosine(huge));
    }
    EXPECT_EQ(fold, 0x62509c3c9e38c7b9ull) << std::hex << fold;
}

TEST(Trigonometry, KeepsTheCLibrarysRulesForZerosAndInfinities) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Bits(Sine(-0.0)), Bits(-0.0));
    EXPECT_EQ(Cosine(0.0), 1.0);
    EXPECT_TRUE(std::isnan(Sine(inf)));
    EXPECT_TRUE(std::isnan(Cosine(-inf)));
    EXPECT_TRUE(std::isnan(Sine(nan)));
    EXPECT_EQ(ArcTangent(inf), std::atan(inf));
    const double values[] = {0.0, -0.0, 1.0, -1.0, inf, -inf};
    for (const double y : values) {
        for (const double x : values) {
            EXPECT_EQ(Bits(ArcTangent2(y, x)), Bits(std::atan2(y, x))) << y << ", " << x;
        }
    }
    EXPECT_TRUE(std::isnan(ArcTangent2(nan, 1.0)));
}

TEST(Trigonometry, ReducesArgumentsNextToMultiplesOfAQuarterTurn) {
    // pi as a double lies 1.2e-16 short of pi: its sine is that shortfall.
    EXPECT_EQ(Sine(3.141592653589793), 1.2246467991473532e-16);
    EXPECT_EQ(Cosine(1.5707963267948966), 6.123233995736766e-17);
    EXPECT_EQ(Sine(1.5707963267948966), 1.0);
    EXPECT_EQ(Cosine(3.141592653589793), -1.0);
}
