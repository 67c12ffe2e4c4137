#include "audio/openal/openal_platform_calls.h"

#if __has_include(<AL/alext.h>)

#include <AL/alext.h>

namespace {

template <typename Proc>
Proc DeviceProc(const char* name) {
    return reinterpret_cast<Proc>(alcGetProcAddress(nullptr, name));
}

} // namespace

void ApplyToSources(TSourceAction action, ALsizei count, const ALuint* sources) {
    switch (action) {
    case TSourceAction::Play:
        alSourcePlayv(count, sources);
        break;
    case TSourceAction::Pause:
        alSourcePausev(count, sources);
        break;
    case TSourceAction::Stop:
        alSourceStopv(count, sources);
        break;
    case TSourceAction::Rewind:
        alSourceRewindv(count, sources);
        break;
    }
}

void DeferSourceUpdates() {
    static const auto defer =
        reinterpret_cast<LPALDEFERUPDATESSOFT>(alGetProcAddress("alDeferUpdatesSOFT"));
    if (defer) {
        defer();
    }
}

void ProcessSourceUpdates() {
    static const auto process =
        reinterpret_cast<LPALPROCESSUPDATESSOFT>(alGetProcAddress("alProcessUpdatesSOFT"));
    if (process) {
        process();
    }
}

void SendStraightToOutputs(ALuint source) {
    alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
}

TLoopbackDevice OpenLoopbackDevice(int32_t hertz) {
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
        return {};
    }
    const auto openLoopback = DeviceProc<LPALCLOOPBACKOPENDEVICESOFT>("alcLoopbackOpenDeviceSOFT");
    const auto isFormatSupported =
        DeviceProc<LPALCISRENDERFORMATSUPPORTEDSOFT>("alcIsRenderFormatSupportedSOFT");
    ALCdevice* device = openLoopback && isFormatSupported ? openLoopback(nullptr) : nullptr;
    if (!device) {
        return {};
    }
    if (!isFormatSupported(device, hertz, ALC_STEREO_SOFT, ALC_SHORT_SOFT)) {
        alcCloseDevice(device);
        return {};
    }
    // Pairs of attribute and value: 16-bit signed stereo at `hertz`.
    const ALCint attributes[] = {
        ALC_FREQUENCY,  hertz, ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
        ALC_SHORT_SOFT, 0};
    ALCcontext* context = alcCreateContext(device, attributes);
    if (context && alcMakeContextCurrent(context)) {
        return {device, context};
    }
    if (context) {
        alcDestroyContext(context);
    }
    alcCloseDevice(device);
    return {};
}

void RenderLoopback(ALCdevice* device, int16_t* out, int32_t frames) {
    static const auto render = DeviceProc<LPALCRENDERSAMPLESSOFT>("alcRenderSamplesSOFT");
    render(device, out, frames);
}

#else

void ApplyToSources(TSourceAction action, ALsizei count, const ALuint* sources) {
    // The browser's calls on several sources at once take the sources' names
    // for the sources themselves and fail; one call per source does the
    // same, at the same moment, since nothing mixes between two calls.
    for (ALsizei i = 0; i < count; ++i) {
        switch (action) {
        case TSourceAction::Play:
            alSourcePlay(sources[i]);
            break;
        case TSourceAction::Pause:
            alSourcePause(sources[i]);
            break;
        case TSourceAction::Stop:
            alSourceStop(sources[i]);
            break;
        case TSourceAction::Rewind:
            alSourceRewind(sources[i]);
            break;
        }
    }
}

void DeferSourceUpdates() {}

void ProcessSourceUpdates() {}

void SendStraightToOutputs(ALuint) {}

TLoopbackDevice OpenLoopbackDevice(int32_t) {
    return {};
}

void RenderLoopback(ALCdevice*, int16_t*, int32_t) {}

#endif
