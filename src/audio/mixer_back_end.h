#pragma once

// The calls a software mixer such as OpenAL offers, reduced to what the
// mixing driver (mixer_audio_driver.h) needs: PCM buffers holding a sound's
// data, and sources, each a voice bound to one buffer with its own state,
// position in it, level on each side and pitch. Keeping the driver's
// bookkeeping behind this interface lets it be tested without a device.
//
// Ids are never 0. Failures that the driver treats as fatal (making a
// buffer, reading a source's state) raise a runtime error of the form
// "<call> failed (<code>)"; the others are ignored, as a mixer leaves a
// setting it cannot take as it was.

#include <cstdint>

enum class TSourceState { Initial, Playing, Paused, Stopped };

class TMixerBackEnd {
public:
    virtual ~TMixerBackEnd() = default;

    // A buffer holding a copy of `bytes` bytes of interleaved frames: 8-bit
    // unsigned or 16-bit signed in the machine's byte order, one or two
    // channels. The driver only ever passes whole frames and a rate above 0.
    virtual uint32_t CreateBuffer(const void* data, int32_t bytes, int32_t channels,
                                  int32_t bitsPerSample, int32_t hertz) = 0;
    // Only once no source is bound to the buffer any more.
    virtual void DeleteBuffer(uint32_t buffer) = 0;

    // A source bound to the buffer, in the initial state, at full level on
    // both sides; 0 when no more sources can be made.
    virtual uint32_t CreateSource(uint32_t buffer) = 0;
    virtual void DeleteSource(uint32_t source) = 0;

    // Play starts an initial or stopped source from the start and resumes a
    // paused one; Rewind returns a source to the initial state.
    virtual void Play(uint32_t source) = 0;
    virtual void Pause(uint32_t source) = 0;
    virtual void Stop(uint32_t source) = 0;
    virtual void Rewind(uint32_t source) = 0;
    virtual TSourceState State(uint32_t source) = 0;

    virtual void SetLooping(uint32_t source, bool looping) = 0;
    // Linear factors for the left and right output (1 is the level of the
    // samples): a mono buffer sounds on both sides, each at its own level; a
    // stereo buffer's channels sound on their own sides.
    virtual void SetGains(uint32_t source, float left, float right) = 0;
    // 1 plays at the buffer's own rate.
    virtual void SetPitch(uint32_t source, float pitch) = 0;
};
