#include "util/clock.h"

#include <ctime>
#include <thread>

int32_t MillisecondClock() {
    // CLOCK_MONOTONIC counts from boot on Linux, so two runs never start from
    // the same value; only the low 32 bits are kept, and they wrap.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

int32_t DelayMillisecs(int32_t ms) {
    if (ms >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    return ms;
}
