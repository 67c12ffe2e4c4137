#include "util/clock.h"

#include <windows.h>

int32_t MillisecondClock() {
    // The multimedia timer counts from the system's start and wraps at 32
    // bits; the start-up has raised its resolution to 1 ms.
    return static_cast<int32_t>(timeGetTime());
}

int32_t DelayMillisecs(int32_t ms) {
    if (ms >= 0) {
        Sleep(static_cast<DWORD>(ms));
    }
    return ms;
}
