#include "util/clock.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

namespace {

// The page's clock counts from the page's opening, nearly the same on every
// load; the wall clock at the first reading makes each load's count start
// from a different value, as the time since system start does on the desktop.
double ClockBase() {
    static const double base = std::fmod(emscripten_date_now(), 4294967296.0);
    return base;
}

} // namespace

int32_t MillisecondClock() {
    const double base = ClockBase();
    const double ms = std::fmod(base + std::floor(emscripten_get_now()), 4294967296.0);
    return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

int32_t DelayMillisecs(int32_t ms) {
    if (ms >= 0) {
        // Hands control back to the browser, which draws the page and
        // delivers its events meanwhile.
        emscripten_sleep(static_cast<unsigned>(ms));
    }
    return ms;
}
