#include "audio/openal/openal_mixer.h"

#include "audio/audio_failure.h"
#include "audio/mixer_units.h"
#include "audio/openal/openal_platform_calls.h"
#include "audio/openal/quiet_device_probe.h"

#include <vector>

namespace {

constexpr size_t LeftHalf = 0;
constexpr size_t RightHalf = 1;

// One output side of interleaved frames, as stereo frames with the other
// side silent: the side's own channel of a stereo sound, the only one of a
// mono sound.
template <typename Sample>
std::vector<Sample> SideFrames(const void* data, int32_t bytes, int32_t channels, size_t side,
                               Sample silence) {
    const auto* samples = static_cast<const Sample*>(data);
    const size_t frames = static_cast<size_t>(bytes) / sizeof(Sample) / channels;
    const size_t channel = channels == 1 ? 0 : side;
    std::vector<Sample> stereo(2 * frames, silence);
    for (size_t f = 0; f < frames; ++f) {
        stereo[2 * f + side] = samples[f * channels + channel];
    }
    return stereo;
}

// A stereo OpenAL buffer holding one side.
ALuint SideBuffer(const void* data, int32_t bytes, int32_t channels, int32_t bitsPerSample,
                  int32_t hertz, size_t side) {
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (const ALenum error = alGetError(); error != AL_NO_ERROR) {
        RaiseAudioFailure(u"alGenBuffers", error);
    }
    const auto fill = [&](const auto& stereo, ALenum format) {
        const auto size = static_cast<ALsizei>(stereo.size() * sizeof(stereo[0]));
        alBufferData(buffer, format, stereo.data(), size, hertz);
    };
    if (bitsPerSample == 8) {
        fill(SideFrames<uint8_t>(data, bytes, channels, side, 0x80), AL_FORMAT_STEREO8);
    } else {
        fill(SideFrames<int16_t>(data, bytes, channels, side, 0), AL_FORMAT_STEREO16);
    }
    if (const ALenum error = alGetError(); error != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        RaiseAudioFailure(u"alBufferData", error);
    }
    return buffer;
}

// Changes made in this object's lifetime reach the mixer at once, in the
// same mixing period: the two voices of a source never differ in pitch.
class TBatchedUpdates {
public:
    TBatchedUpdates() { DeferSourceUpdates(); }
    ~TBatchedUpdates() { ProcessSourceUpdates(); }
    TBatchedUpdates(const TBatchedUpdates&) = delete;
    TBatchedUpdates& operator=(const TBatchedUpdates&) = delete;
};

void ClearError() {
    alGetError();
}

// Makes the context on the device and makes it current; closes the device
// when that fails.
ALCcontext* StartContext(ALCdevice* device, const ALCint* attributes) {
    ALCcontext* context = alcCreateContext(device, attributes);
    if (context && alcMakeContextCurrent(context)) {
        return context;
    }
    if (context) {
        alcDestroyContext(context);
    }
    alcCloseDevice(device);
    return nullptr;
}

} // namespace

TOpenALMixer::TOpenALMixer(ALCdevice* device, ALCcontext* context, bool loopback)
    : _device(device), _context(context), _loopback(loopback) {}

std::unique_ptr<TOpenALMixer> TOpenALMixer::OpenDefaultDevice(Text& why) {
    ALCdevice* device = nullptr;
    {
        const TQuietDeviceProbe quiet;
        device = alcOpenDevice(nullptr);
    }
    if (!device) {
        why = u"no audio output device could be opened";
        return nullptr;
    }
    ALCcontext* context = StartContext(device, nullptr);
    if (!context) {
        why = u"the audio device would not start mixing";
        return nullptr;
    }
    return std::unique_ptr<TOpenALMixer>(new TOpenALMixer(device, context, false));
}

std::unique_ptr<TOpenALMixer> TOpenALMixer::OpenLoopback(int32_t hertz) {
    const TLoopbackDevice loopback = OpenLoopbackDevice(hertz);
    if (!loopback.device) {
        return nullptr;
    }
    return std::unique_ptr<TOpenALMixer>(new TOpenALMixer(loopback.device, loopback.context, true));
}

TOpenALMixer::~TOpenALMixer() {
    // Sources first: a buffer still bound to a source cannot be deleted.
    for (const auto& [id, source] : _sources) {
        alDeleteSources(2, source.sides.data());
    }
    for (const auto& [id, buffer] : _buffers) {
        alDeleteBuffers(2, buffer.sides.data());
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(_context);
    alcCloseDevice(_device);
}

TOpenALMixer::TSource* TOpenALMixer::FindSource(uint32_t source) {
    const auto found = _sources.find(source);
    return found != _sources.end() ? &found->second : nullptr;
}

const TOpenALMixer::TSides& TOpenALMixer::SourceSides(uint32_t source) {
    static const TSides none{};
    const TSource* found = FindSource(source);
    return found ? found->sides : none;
}

// Everything is mixed in software.
uint32_t TOpenALMixer::CreateBuffer(const void* data, int32_t bytes, int32_t channels,
                                    int32_t bitsPerSample, int32_t hertz, bool) {
    TSides sides{};
    sides[LeftHalf] = SideBuffer(data, bytes, channels, bitsPerSample, hertz, LeftHalf);
    try {
        sides[RightHalf] = SideBuffer(data, bytes, channels, bitsPerSample, hertz, RightHalf);
    } catch (...) {
        alDeleteBuffers(1, &sides[LeftHalf]);
        throw;
    }
    _buffers.emplace(sides[LeftHalf], TBuffer{sides, hertz, channels == 1});
    return sides[LeftHalf];
}

void TOpenALMixer::DeleteBuffer(uint32_t buffer) {
    if (const auto found = _buffers.find(buffer); found != _buffers.end()) {
        alDeleteBuffers(2, found->second.sides.data());
        _buffers.erase(found);
    }
}

uint32_t TOpenALMixer::CreateSource(uint32_t buffer) {
    const auto found = _buffers.find(buffer);
    if (found == _buffers.end()) {
        return 0;
    }
    ClearError();
    TSides voices{};
    alGenSources(2, voices.data());
    if (alGetError() != AL_NO_ERROR) {
        return 0; // OpenAL Soft has a fixed number of sources
    }
    for (const size_t side : {LeftHalf, RightHalf}) {
        alSourcei(voices[side], AL_BUFFER, static_cast<ALint>(found->second.sides[side]));
        // Straight to the output channels: no placing, no distance.
        SendStraightToOutputs(voices[side]);
        alSourcei(voices[side], AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcef(voices[side], AL_ROLLOFF_FACTOR, 0.0f);
    }
    _sources.emplace(voices[LeftHalf], TSource{voices, found->second.hertz, found->second.mono});
    return voices[LeftHalf];
}

void TOpenALMixer::DeleteSource(uint32_t source) {
    if (const auto found = _sources.find(source); found != _sources.end()) {
        alDeleteSources(2, found->second.sides.data());
        _sources.erase(found);
    }
}

// The calls on several sources act on them in one step of the mixer.
void TOpenALMixer::Play(uint32_t source) {
    ApplyToSources(TSourceAction::Play, 2, SourceSides(source).data());
}

void TOpenALMixer::Pause(uint32_t source) {
    ApplyToSources(TSourceAction::Pause, 2, SourceSides(source).data());
}

void TOpenALMixer::Stop(uint32_t source) {
    ApplyToSources(TSourceAction::Stop, 2, SourceSides(source).data());
}

void TOpenALMixer::Rewind(uint32_t source) {
    ApplyToSources(TSourceAction::Rewind, 2, SourceSides(source).data());
}

TSourceState TOpenALMixer::State(uint32_t source) {
    ClearError();
    ALint state = AL_INITIAL;
    alGetSourcei(SourceSides(source)[LeftHalf], AL_SOURCE_STATE, &state);
    if (const ALenum error = alGetError(); error != AL_NO_ERROR) {
        RaiseAudioFailure(u"alGetSourcei", error);
    }
    switch (state) {
    case AL_PLAYING:
        return TSourceState::Playing;
    case AL_PAUSED:
        return TSourceState::Paused;
    case AL_STOPPED:
        return TSourceState::Stopped;
    default:
        return TSourceState::Initial;
    }
}

void TOpenALMixer::SetLooping(uint32_t source, bool looping) {
    const TSides& sides = SourceSides(source);
    const TBatchedUpdates batch;
    alSourcei(sides[LeftHalf], AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
    alSourcei(sides[RightHalf], AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
}

void TOpenALMixer::SetVolume(uint32_t source, int32_t millibels) {
    if (TSource* found = FindSource(source)) {
        found->millibels = millibels;
        ApplyGains(*found);
    }
}

void TOpenALMixer::SetPan(uint32_t source, int32_t panUnits) {
    if (TSource* found = FindSource(source)) {
        found->panUnits = panUnits;
        ApplyGains(*found);
    }
}

void TOpenALMixer::ApplyGains(const TSource& source) {
    const TSideGains gains = SideGains(source.millibels, source.mono ? source.panUnits : 0);
    const TBatchedUpdates batch;
    alSourcef(source.sides[LeftHalf], AL_GAIN, gains.left);
    alSourcef(source.sides[RightHalf], AL_GAIN, gains.right);
}

void TOpenALMixer::SetFrequency(uint32_t source, int32_t hertz) {
    const TSource* found = FindSource(source);
    if (!found) {
        return;
    }
    const float pitch = PitchFromFrequency(hertz, found->hertz);
    const TBatchedUpdates batch;
    alSourcef(found->sides[LeftHalf], AL_PITCH, pitch);
    alSourcef(found->sides[RightHalf], AL_PITCH, pitch);
}

void TOpenALMixer::RenderStereo16(int16_t* out, int32_t frames) {
    if (!_loopback) {
        return;
    }
    RenderLoopback(_device, out, frames);
}
