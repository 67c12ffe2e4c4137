#pragma once

// The system driver: the layer between the process and the platform's event
// queue. The pump hands every platform event to the driver, which turns it
// into TEvents and emits them, synchronously, on the calling (main) thread.

#include <cstdint>
#include <memory>

class TSystemDriver {
public:
    virtual ~TSystemDriver() = default;

    // Handles every pending platform event without waiting.
    virtual int32_t Poll() = 0;
    // Waits until at least one platform event arrives, then does what Poll does.
    virtual int32_t Wait() = 0;
    // Puts the pointer at a client position of the active window.
    virtual int32_t MoveMouse(int32_t x, int32_t y) = 0;
    // Shows or hides the pointer while it is over one of the program's windows.
    virtual int32_t SetMouseVisible(int32_t visible) = 0;
};

// The current driver, or null before a platform layer has installed one.
const std::shared_ptr<TSystemDriver>& SystemDriver();
void SetSystemDriver(std::shared_ptr<TSystemDriver> driver);

// Both return 0. A call made while the pump is already running (from inside
// an event hook) returns at once, so hooks never nest pumps; so does a call
// with no driver installed. Either ends the program when a termination
// signal is pending (termination_signals.h).
int32_t PumpSystemEvents();
int32_t WaitSystemEvent();
