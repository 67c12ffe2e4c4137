#pragma once

// Sine, cosine and arctangents of the engine's own, the same bits on every
// platform. The C libraries round these differently in the last bit (glibc's
// and Windows' disagree on some arguments), and the game's seeded runs must
// be the same everywhere. They are the classic argument reduction and
// polynomial kernels, within one unit in the last place of the true value.

// Radians. Beyond about ±1.6 million radians the argument is first reduced
// by an exact remainder of 2 pi as a double: still the same everywhere, but
// no longer accurate there (the game's angles never come near).
double Sine(double x);
double Cosine(double x);
double ArcTangent(double x);
// The angle of (x, y), in (-pi, pi], with the C library's rules for zeros
// and infinities.
double ArcTangent2(double y, double x);
