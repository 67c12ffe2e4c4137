#pragma once

// Number conversions and degree-based trigonometry. Everything works in
// double precision; a caller storing into a float field rounds there.

#include <cstdint>

// Truncation toward zero, the conversion wherever a float becomes an integer.
// Values outside the 32-bit range saturate.
int32_t TruncToInt(double x);

double SinDeg(double degrees);
double CosDeg(double degrees);
double TanDeg(double degrees);
double ASinDeg(double x);
double ACosDeg(double x);
double ATanDeg(double x);
double ATan2Deg(double y, double x); // (-180, 180]
double SquareRoot(double x);

inline int32_t AbsInt(int32_t i) {
    return i < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(i)) : i;
}
double AbsFloat(double x);
double SignFloat(double x); // -1.0, 0.0 or 1.0
double MinFloat(double a, double b);
double MaxFloat(double a, double b);
