#include "audio/audio.h"

std::shared_ptr<TSound> AudioLoadSound(const TUrl& url, int32_t flags) {
    return CurrentAudioDriver().LoadSound(url, flags);
}

std::shared_ptr<TSound> AudioLoadSound(const std::shared_ptr<TAudioSample>& sample, int32_t flags) {
    return TSound::Load(sample, flags);
}

std::shared_ptr<TChannel> AudioPlaySound(const std::shared_ptr<TSound>& sound,
                                         const std::shared_ptr<TChannel>& channel) {
    return sound ? sound->Play(channel) : channel;
}

std::shared_ptr<TChannel> AudioCueSound(const std::shared_ptr<TSound>& sound,
                                        const std::shared_ptr<TChannel>& channel) {
    return sound ? sound->Cue(channel) : channel;
}

void AudioStopChannel(const std::shared_ptr<TChannel>& channel) {
    if (channel) {
        channel->Stop();
    }
}

void AudioPauseChannel(const std::shared_ptr<TChannel>& channel) {
    if (channel) {
        channel->SetPaused(1);
    }
}

void AudioResumeChannel(const std::shared_ptr<TChannel>& channel) {
    if (channel) {
        channel->SetPaused(0);
    }
}

void AudioSetVolume(const std::shared_ptr<TChannel>& channel, float volume) {
    if (channel) {
        channel->SetVolume(volume);
    }
}

void AudioSetPan(const std::shared_ptr<TChannel>& channel, float pan) {
    if (channel) {
        channel->SetPan(pan);
    }
}

void AudioSetDepth(const std::shared_ptr<TChannel>& channel, float depth) {
    if (channel) {
        channel->SetDepth(depth);
    }
}

void AudioSetRate(const std::shared_ptr<TChannel>& channel, float rate) {
    if (channel) {
        channel->SetRate(rate);
    }
}

int32_t AudioChannelBusy(const std::shared_ptr<TChannel>& channel) {
    return channel ? channel->Playing() : 0;
}

std::shared_ptr<TChannel> AudioNewChannel() {
    return CurrentAudioDriver().AllocChannel();
}
