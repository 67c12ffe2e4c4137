#pragma once

// The calls a mixer offers (OpenAL, DirectSound, or a test double), reduced
// to what the mixing driver (mixer_audio_driver.h) needs: PCM buffers holding
// a sound's data, and sources, each a voice playing one buffer with its own
// state, position in it, volume, pan and frequency. Keeping the driver's
// bookkeeping behind this interface lets it be tested without a device.
//
// Volume, pan and frequency are given in the driver's own units (see
// mixer_units.h); each mixer turns them into whatever its device takes.
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
    // `inHardware` lets a mixer with a device of its own place the buffer
    // there; the others mix everything in software anyway.
    virtual uint32_t CreateBuffer(const void* data, int32_t bytes, int32_t channels,
                                  int32_t bitsPerSample, int32_t hertz, bool inHardware) = 0;
    // Only once no source is bound to the buffer any more.
    virtual void DeleteBuffer(uint32_t buffer) = 0;

    // A source bound to the buffer, in the initial state, at full level on
    // both sides; 0 when no more sources can be made.
    virtual uint32_t CreateSource(uint32_t buffer) = 0;
    virtual void DeleteSource(uint32_t source) = 0;

    // Play starts a source from where it stands (the start, once rewound);
    // Pause and Stop both halt it, and where Stop leaves it is the mixer's
    // choice: the driver rewinds a source before it plays it again. Rewind
    // returns a halted source to its start.
    virtual void Play(uint32_t source) = 0;
    virtual void Pause(uint32_t source) = 0;
    virtual void Stop(uint32_t source) = 0;
    virtual void Rewind(uint32_t source) = 0;
    virtual TSourceState State(uint32_t source) = 0;

    // Takes effect from the next Play.
    virtual void SetLooping(uint32_t source, bool looping) = 0;
    // Hundredths of a decibel below the samples' own level: 0 ... -10000.
    virtual void SetVolume(uint32_t source, int32_t millibels) = 0;
    // Pan units, -10000 (left) ... 10000 (right): the side away from the pan
    // is attenuated by the pan's value in hundredths of a decibel. A mixer
    // that keeps a stereo buffer's channels on their own sides may leave it
    // unpanned.
    virtual void SetPan(uint32_t source, int32_t panUnits) = 0;
    // Frames per second to play the buffer at; 0 plays it at its own rate.
    virtual void SetFrequency(uint32_t source, int32_t hertz) = 0;
};
