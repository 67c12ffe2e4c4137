#pragma once

// The mixer of the "OpenAL" driver: an OpenAL Soft device with its context.
// Only one can be open at a time, since OpenAL calls act on the one current
// context.

#include "audio/mixer_back_end.h"
#include "util/text.h"

#include <AL/alc.h>

#include <cstdint>
#include <memory>
#include <unordered_set>

class TOpenALMixer : public TMixerBackEnd {
public:
    // The system's default output device. Null when there is none or it does
    // not start; `why` then says what failed.
    static std::unique_ptr<TOpenALMixer> OpenDefaultDevice(Text& why);
    // A device that plays into memory: nothing is heard, and the mix advances
    // only by RenderStereo16, sample-exactly. Null when OpenAL cannot do this
    // at `hertz`.
    static std::unique_ptr<TOpenALMixer> OpenLoopback(int32_t hertz);

    // Deletes every source and buffer still alive, then closes the device.
    ~TOpenALMixer() override;
    TOpenALMixer(const TOpenALMixer&) = delete;
    TOpenALMixer& operator=(const TOpenALMixer&) = delete;

    uint32_t CreateBuffer(const void* data, int32_t bytes, int32_t channels, int32_t bitsPerSample,
                          int32_t hertz) override;
    void DeleteBuffer(uint32_t buffer) override;
    uint32_t CreateSource(uint32_t buffer) override;
    void DeleteSource(uint32_t source) override;
    void Play(uint32_t source) override;
    void Pause(uint32_t source) override;
    void Stop(uint32_t source) override;
    void Rewind(uint32_t source) override;
    TSourceState State(uint32_t source) override;
    void SetLooping(uint32_t source, bool looping) override;
    void SetGain(uint32_t source, float gain) override;
    void SetPosition(uint32_t source, float x, float y, float z) override;
    void SetPitch(uint32_t source, float pitch) override;

    // Mixes the next `frames` frames of 16-bit stereo into `out` (2 × frames
    // values). Loopback devices only; does nothing on others.
    void RenderStereo16(int16_t* out, int32_t frames);

private:
    TOpenALMixer(ALCdevice* device, ALCcontext* context, bool loopback);

    ALCdevice* _device;
    ALCcontext* _context;
    bool _loopback;
    std::unordered_set<uint32_t> _buffers;
    std::unordered_set<uint32_t> _sources;
};
