#include "audio/directsound/directsound_mixer.h"

#include "audio/audio_failure.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Static buffers mixed on the device's own frequency, pan and volume controls
// that go on sounding when another program has the focus.
constexpr DWORD SoundBufferCaps = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN |
                                  DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS;

// A sound buffer's bytes: the sound's, filled up with silence to the least
// size DirectSound makes a buffer of, so that an empty sound still loads.
// Every frame size (1, 2 or 4 bytes) divides that size.
std::vector<uint8_t> BufferBytes(const void* data, int32_t bytes, int32_t bitsPerSample) {
    const uint8_t silence = bitsPerSample == 8 ? 0x80 : 0x00;
    std::vector<uint8_t> filled(std::max<size_t>(static_cast<size_t>(bytes), DSBSIZE_MIN), silence);
    std::memcpy(filled.data(), data, static_cast<size_t>(bytes));
    return filled;
}

// Copies the bytes into the whole buffer. A lock of a whole buffer from its
// start gives one region; a second one, should a device give it, takes the rest.
void Fill(IDirectSoundBuffer* buffer, const std::vector<uint8_t>& bytes) {
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstSize = 0;
    DWORD secondSize = 0;
    const auto size = static_cast<DWORD>(bytes.size());
    if (const HRESULT result = buffer->Lock(0, size, &first, &firstSize, &second, &secondSize, 0);
        FAILED(result)) {
        RaiseAudioFailure(u"Lock SoundBuffer", result);
    }
    firstSize = std::min(firstSize, size);
    std::memcpy(first, bytes.data(), firstSize);
    if (second) {
        secondSize = std::min(secondSize, size - firstSize);
        std::memcpy(second, bytes.data() + firstSize, secondSize);
    }
    if (const HRESULT result = buffer->Unlock(first, firstSize, second, secondSize);
        FAILED(result)) {
        RaiseAudioFailure(u"Unlock SoundBuffer", result);
    }
}

} // namespace

std::unique_ptr<TDirectSoundMixer> TDirectSoundMixer::Open(TDirectSoundCreate create, Text& why) {
    TComRef<IDirectSound> device;
    if (FAILED(create(nullptr, device.Receive(), nullptr))) {
        why = u"no audio output device could be opened";
        return nullptr;
    }
    if (FAILED(device->SetCooperativeLevel(GetDesktopWindow(), DSSCL_PRIORITY))) {
        why = u"the audio device would not let the program play";
        return nullptr;
    }
    return std::unique_ptr<TDirectSoundMixer>(new TDirectSoundMixer(std::move(device)));
}

uint32_t TDirectSoundMixer::NewId() {
    return ++_lastId;
}

IDirectSoundBuffer* TDirectSoundMixer::SourceBuffer(uint32_t source) const {
    const auto found = _sources.find(source);
    return found != _sources.end() ? found->second.buffer.Get() : nullptr;
}

uint32_t TDirectSoundMixer::CreateBuffer(const void* data, int32_t bytes, int32_t channels,
                                         int32_t bitsPerSample, int32_t hertz, bool inHardware) {
    const std::vector<uint8_t> filled = BufferBytes(data, bytes, bitsPerSample);

    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(hertz);
    format.wBitsPerSample = static_cast<WORD>(bitsPerSample);
    format.nBlockAlign = static_cast<WORD>(bitsPerSample / 8 * channels);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    format.cbSize = 0;

    DSBUFFERDESC description{};
    description.dwSize = sizeof(description);
    description.dwFlags = SoundBufferCaps | (inHardware ? 0 : DSBCAPS_LOCSOFTWARE);
    description.dwBufferBytes = static_cast<DWORD>(filled.size());
    description.lpwfxFormat = &format;

    TBufferRef buffer;
    if (const HRESULT result = _device->CreateSoundBuffer(&description, buffer.Receive(), nullptr);
        FAILED(result)) {
        RaiseAudioFailure(u"CreateSoundBuffer", result);
    }
    Fill(buffer.Get(), filled);
    const uint32_t id = NewId();
    _buffers.emplace(id, TPcm{std::move(buffer)});
    return id;
}

void TDirectSoundMixer::DeleteBuffer(uint32_t buffer) {
    _buffers.erase(buffer);
}

uint32_t TDirectSoundMixer::CreateSource(uint32_t buffer) {
    const auto found = _buffers.find(buffer);
    if (found == _buffers.end()) {
        return 0;
    }
    TPcm& pcm = found->second;
    TBufferRef voice;
    if (!pcm.lent) {
        voice = pcm.buffer;
        pcm.lent = true;
    } else if (FAILED(_device->DuplicateSoundBuffer(pcm.buffer.Get(), voice.Receive()))) {
        return 0;
    }
    const uint32_t id = NewId();
    _sources.emplace(id, TSource{std::move(voice), buffer});
    return id;
}

void TDirectSoundMixer::DeleteSource(uint32_t source) {
    const auto found = _sources.find(source);
    if (found == _sources.end()) {
        return;
    }
    if (const auto pcm = _buffers.find(found->second.pcm);
        pcm != _buffers.end() && pcm->second.buffer.Get() == found->second.buffer.Get()) {
        pcm->second.lent = false;
    }
    _sources.erase(found);
}

void TDirectSoundMixer::Play(uint32_t source) {
    const auto found = _sources.find(source);
    if (found != _sources.end()) {
        found->second.buffer->Play(0, 0, found->second.looping ? DSBPLAY_LOOPING : 0);
    }
}

// Stopping a sound buffer keeps its position, so stopping is pausing.
void TDirectSoundMixer::Pause(uint32_t source) {
    Stop(source);
}

void TDirectSoundMixer::Stop(uint32_t source) {
    if (IDirectSoundBuffer* buffer = SourceBuffer(source)) {
        buffer->Stop();
    }
}

void TDirectSoundMixer::Rewind(uint32_t source) {
    if (IDirectSoundBuffer* buffer = SourceBuffer(source)) {
        buffer->SetCurrentPosition(0);
    }
}

TSourceState TDirectSoundMixer::State(uint32_t source) {
    IDirectSoundBuffer* buffer = SourceBuffer(source);
    if (!buffer) {
        return TSourceState::Stopped;
    }
    DWORD status = 0;
    if (const HRESULT result = buffer->GetStatus(&status); FAILED(result)) {
        RaiseAudioFailure(u"DirectSound", result);
    }
    return (status & DSBSTATUS_PLAYING) != 0 ? TSourceState::Playing : TSourceState::Stopped;
}

void TDirectSoundMixer::SetLooping(uint32_t source, bool looping) {
    if (const auto found = _sources.find(source); found != _sources.end()) {
        found->second.looping = looping;
    }
}

void TDirectSoundMixer::SetVolume(uint32_t source, int32_t millibels) {
    if (IDirectSoundBuffer* buffer = SourceBuffer(source)) {
        buffer->SetVolume(millibels);
    }
}

void TDirectSoundMixer::SetPan(uint32_t source, int32_t panUnits) {
    if (IDirectSoundBuffer* buffer = SourceBuffer(source)) {
        buffer->SetPan(panUnits);
    }
}

void TDirectSoundMixer::SetFrequency(uint32_t source, int32_t hertz) {
    if (IDirectSoundBuffer* buffer = SourceBuffer(source)) {
        buffer->SetFrequency(static_cast<DWORD>(hertz));
    }
}
