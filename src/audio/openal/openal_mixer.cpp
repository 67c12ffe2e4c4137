#include "audio/openal/openal_mixer.h"

#include "audio/audio_failure.h"

#include <AL/al.h>
#include <AL/alext.h>

namespace {

ALenum BufferFormat(int32_t channels, int32_t bitsPerSample) {
    if (bitsPerSample == 8) {
        return channels == 1 ? AL_FORMAT_MONO8 : AL_FORMAT_STEREO8;
    }
    return channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
}

void ClearError() {
    alGetError();
}

template <typename Proc>
Proc LoopbackProc(const char* name) {
    return reinterpret_cast<Proc>(alcGetProcAddress(nullptr, name));
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
    ALCdevice* device = alcOpenDevice(nullptr);
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
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
        return nullptr;
    }
    const auto openLoopback =
        LoopbackProc<LPALCLOOPBACKOPENDEVICESOFT>("alcLoopbackOpenDeviceSOFT");
    const auto isFormatSupported =
        LoopbackProc<LPALCISRENDERFORMATSUPPORTEDSOFT>("alcIsRenderFormatSupportedSOFT");
    ALCdevice* device = openLoopback && isFormatSupported ? openLoopback(nullptr) : nullptr;
    if (!device) {
        return nullptr;
    }
    if (!isFormatSupported(device, hertz, ALC_STEREO_SOFT, ALC_SHORT_SOFT)) {
        alcCloseDevice(device);
        return nullptr;
    }
    // Pairs of attribute and value: 16-bit signed stereo at `hertz`.
    const ALCint attributes[] = {
        ALC_FREQUENCY,  hertz, ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
        ALC_SHORT_SOFT, 0};
    ALCcontext* context = StartContext(device, attributes);
    if (!context) {
        return nullptr;
    }
    return std::unique_ptr<TOpenALMixer>(new TOpenALMixer(device, context, true));
}

TOpenALMixer::~TOpenALMixer() {
    // Sources first: a buffer still bound to a source cannot be deleted.
    for (const uint32_t source : _sources) {
        alDeleteSources(1, &source);
    }
    for (const uint32_t buffer : _buffers) {
        alDeleteBuffers(1, &buffer);
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(_context);
    alcCloseDevice(_device);
}

uint32_t TOpenALMixer::CreateBuffer(const void* data, int32_t bytes, int32_t channels,
                                    int32_t bitsPerSample, int32_t hertz) {
    ClearError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (const ALenum error = alGetError(); error != AL_NO_ERROR) {
        RaiseAudioFailure(u"alGenBuffers", error);
    }
    alBufferData(buffer, BufferFormat(channels, bitsPerSample), data, bytes, hertz);
    if (const ALenum error = alGetError(); error != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        RaiseAudioFailure(u"alBufferData", error);
    }
    _buffers.insert(buffer);
    return buffer;
}

void TOpenALMixer::DeleteBuffer(uint32_t buffer) {
    alDeleteBuffers(1, &buffer);
    _buffers.erase(buffer);
}

uint32_t TOpenALMixer::CreateSource(uint32_t buffer) {
    ClearError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        return 0; // OpenAL Soft has a fixed number of sources
    }
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    // Placed relative to the listener, never attenuated by distance: only the
    // direction pans it.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, -1.0f);
    _sources.insert(source);
    return source;
}

void TOpenALMixer::DeleteSource(uint32_t source) {
    alDeleteSources(1, &source);
    _sources.erase(source);
}

void TOpenALMixer::Play(uint32_t source) {
    alSourcePlay(source);
}

void TOpenALMixer::Pause(uint32_t source) {
    alSourcePause(source);
}

void TOpenALMixer::Stop(uint32_t source) {
    alSourceStop(source);
}

void TOpenALMixer::Rewind(uint32_t source) {
    alSourceRewind(source);
}

TSourceState TOpenALMixer::State(uint32_t source) {
    ClearError();
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
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
    alSourcei(source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
}

void TOpenALMixer::SetGain(uint32_t source, float gain) {
    alSourcef(source, AL_GAIN, gain);
}

void TOpenALMixer::SetPosition(uint32_t source, float x, float y, float z) {
    alSource3f(source, AL_POSITION, x, y, z);
}

void TOpenALMixer::SetPitch(uint32_t source, float pitch) {
    alSourcef(source, AL_PITCH, pitch);
}

void TOpenALMixer::RenderStereo16(int16_t* out, int32_t frames) {
    if (!_loopback) {
        return;
    }
    static const auto render = LoopbackProc<LPALCRENDERSAMPLESSOFT>("alcRenderSamplesSOFT");
    render(_device, out, frames);
}
