#pragma once

#include <cstdint>

// Milliseconds since the system started, from the monotonic clock, as a
// wrapping 32-bit counter: every run starts from a different value, which is
// what seeds the city.
int32_t MillisecondClock();

// Sleeps for `ms` milliseconds when it is 0 or more; returns `ms`.
int32_t DelayMillisecs(int32_t ms);
