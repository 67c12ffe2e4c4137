#include "audio/null_audio.h"

TNullSound::TNullSound(const TAudioSample& sample, int32_t flags)
    : _length(sample.length), _hertz(sample.hertz), _format(sample.format), _flags(flags) {}

std::shared_ptr<TChannel> TNullSound::Cue(const std::shared_ptr<TChannel>& channel) {
    auto nullChannel = std::dynamic_pointer_cast<TNullChannel>(channel);
    if (!nullChannel) {
        nullChannel = std::make_shared<TNullChannel>();
    }
    nullChannel->Hold(shared_from_this());
    return nullChannel;
}

std::shared_ptr<TChannel> TNullSound::Play(const std::shared_ptr<TChannel>& channel) {
    auto used = Cue(channel);
    used->SetPaused(0);
    return used;
}

void TNullChannel::Hold(std::shared_ptr<TNullSound> sound) {
    _sound = std::move(sound);
    _paused = true;
}

void TNullChannel::Stop() {
    _sound = nullptr;
    _paused = false;
}

void TNullChannel::SetPaused(int32_t paused) {
    if (_sound) {
        _paused = paused != 0;
    }
}
