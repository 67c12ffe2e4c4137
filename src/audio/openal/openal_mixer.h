#pragma once

// The mixer of the "OpenAL" driver: an OpenAL Soft device with its context.
// Only one can be open at a time, since OpenAL calls act on the one current
// context.
//
// OpenAL places a mono source somewhere around the listener, and at any place
// the output sides get less than the samples' own level (about 4.5 dB less
// straight ahead). Sounds here must play at their own level, attenuated only
// by their volume and, on the far side, by their pan. So every buffer is kept
// as two stereo buffers, one for each output side (a mono sound in both), and
// every source is a pair of voices that write those straight to the output
// channels (direct channels), each at its side's gain. The two voices start,
// stop, loop and change pitch together, so they stay sample-locked.
//
// Only mono sounds are panned: a stereo sound keeps its channels on their
// own sides, each at the volume's level.

#include "audio/mixer_back_end.h"
#include "util/text.h"

#include <AL/alc.h>

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

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
                          int32_t hertz, bool inHardware) override;
    void DeleteBuffer(uint32_t buffer) override;
    uint32_t CreateSource(uint32_t buffer) override;
    void DeleteSource(uint32_t source) override;
    void Play(uint32_t source) override;
    void Pause(uint32_t source) override;
    void Stop(uint32_t source) override;
    void Rewind(uint32_t source) override;
    TSourceState State(uint32_t source) override;
    void SetLooping(uint32_t source, bool looping) override;
    void SetVolume(uint32_t source, int32_t millibels) override;
    void SetPan(uint32_t source, int32_t panUnits) override;
    void SetFrequency(uint32_t source, int32_t hertz) override;

    // Mixes the next `frames` frames of 16-bit stereo into `out` (2 × frames
    // values). Loopback devices only; does nothing on others.
    void RenderStereo16(int16_t* out, int32_t frames);

private:
    // The OpenAL ids of a buffer's or source's halves, left then right, as
    // the calls on several ids at once take them; the left one is the id the
    // driver knows it by.
    using TSides = std::array<uint32_t, 2>;

    struct TBuffer {
        TSides sides;
        int32_t hertz;
        bool mono;
    };
    // A source with the settings its two gains are made from.
    struct TSource {
        TSides sides;
        int32_t hertz; // its buffer's
        bool mono;
        int32_t millibels = 0;
        int32_t panUnits = 0;
    };

    TOpenALMixer(ALCdevice* device, ALCcontext* context, bool loopback);

    // Null for an id that is no source.
    TSource* FindSource(uint32_t source);
    // Both halves of a source, for the calls that act on several at once.
    const TSides& SourceSides(uint32_t source);
    void ApplyGains(const TSource& source);

    ALCdevice* _device;
    ALCcontext* _context;
    bool _loopback;
    std::unordered_map<uint32_t, TBuffer> _buffers;
    std::unordered_map<uint32_t, TSource> _sources;
};
