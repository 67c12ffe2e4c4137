#pragma once

// Soft frame pacing: a millisecond deadline per frame, advanced by the whole
// part of 1000 / hertz and by one extra millisecond on as many frames as the
// remainder says, so that `hertz` frames take exactly one second. At 60 Hz
// that is 16 ms, and 17 ms on 40 of every 60 frames.
//
// The clock and the sleep are handed in, so the arithmetic can run without
// real time.

#include <cstdint>
#include <functional>

class TFramePacer {
public:
    using TClock = std::function<int32_t()>;     // milliseconds, wrapping at 32 bits
    using TSleep = std::function<void(int32_t)>; // milliseconds, always > 0

    TFramePacer(TClock clock, TSleep sleep);

    // Restarts the pace at `hertz` frames per second from the clock's now.
    // A rate of 0 or less keeps no pace: frames never wait.
    void Start(int32_t hertz);

    // Advances the deadline by one frame and sleeps until it. A frame that is
    // already late (or exactly on time) does not sleep, and the deadline is
    // moved to now, so that the frames after it do not hurry to catch up.
    void WaitForNextFrame();

    int32_t Deadline() const { return static_cast<int32_t>(_nextFrameTime); }
    int32_t FrameMillis() const { return _frameMillis; }
    int32_t FrameRemainder() const { return _frameRemainder; }

private:
    TClock _clock;
    TSleep _sleep;
    int32_t _hertz = 0;
    int32_t _frameMillis = 0;
    int32_t _frameRemainder = 0;
    int32_t _remainderAccumulator = 0;
    // Unsigned so that the deadline wraps with the clock instead of overflowing.
    uint32_t _nextFrameTime = 0;
};
