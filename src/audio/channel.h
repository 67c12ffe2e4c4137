#pragma once

// One voice: plays a sound and can be paused, stopped and given a volume,
// pan and rate. This base voice is silent and accepts everything.

#include <cstdint>

class TChannel {
public:
    virtual ~TChannel() = default;

    virtual void Stop() {}
    // Non-zero pauses, 0 resumes (or starts a cued sound).
    virtual void SetPaused(int32_t) {}
    virtual void SetVolume(float) {} // 0 (silent) ... 1 (full)
    virtual void SetPan(float) {}    // -1 (left) ... 1 (right)
    virtual void SetDepth(float) {}
    virtual void SetRate(float) {} // 1.0 plays at the sound's own rate
    // 1 while the sound is audibly playing.
    virtual int32_t Playing() { return 0; }
};
