#pragma once

// The mixer of the "DirectSound" driver: a DirectSound object on the default
// output device, at the priority cooperative level of the desktop window (the
// sound does not depend on any window of the program's own).
//
// A sound's PCM data is one static sound buffer with volume, pan and
// frequency control that keeps sounding while the program is in the
// background. Its first source is that buffer itself; every further source
// is a duplicate of it, which shares the data and has its own position,
// state, volume, pan and frequency. Volume, pan and frequency go to the
// buffers as they are: DirectSound takes hundredths of a decibel, pan units
// and hertz.

#include "audio/directsound/com_ref.h"
#include "audio/mixer_back_end.h"
#include "util/text.h"

#include <dsound.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <unordered_map>

class TDirectSoundMixer : public TMixerBackEnd {
public:
    // The entry point of the system's DirectSound library.
    using TDirectSoundCreate = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

    // The default output device. Null when there is none or it does not let
    // the program play; `why` then says what failed.
    static std::unique_ptr<TDirectSoundMixer> Open(TDirectSoundCreate create, Text& why);

    // Releases every source and buffer still alive, then the device (the
    // members go in that order).
    ~TDirectSoundMixer() override = default;
    TDirectSoundMixer(const TDirectSoundMixer&) = delete;
    TDirectSoundMixer& operator=(const TDirectSoundMixer&) = delete;

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

private:
    using TBufferRef = TComRef<IDirectSoundBuffer>;

    struct TPcm {
        TBufferRef buffer;
        bool lent = false; // the buffer itself plays as a source
    };
    struct TSource {
        TBufferRef buffer;
        uint32_t pcm; // the id of the buffer holding its data
        bool looping = false;
    };

    explicit TDirectSoundMixer(TComRef<IDirectSound> device) : _device(std::move(device)) {}

    uint32_t NewId();
    // The sound buffer of a source; null for an id that is no source.
    IDirectSoundBuffer* SourceBuffer(uint32_t source) const;

    // Declared first, so that it is released after every buffer made on it,
    // and the buffers before the sources, which may hold the same ones.
    TComRef<IDirectSound> _device;
    std::unordered_map<uint32_t, TPcm> _buffers;
    std::unordered_map<uint32_t, TSource> _sources;
    uint32_t _lastId = 0;
};
