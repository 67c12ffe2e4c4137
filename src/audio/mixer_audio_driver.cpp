#include "audio/mixer_audio_driver.h"

#include "audio/mixer_channel.h"
#include "audio/mixer_sound.h"

#include <algorithm>
#include <iterator>

namespace {

TMixerAudioDriver* ActiveDriver = nullptr;
int32_t SessionGeneration = 0;

} // namespace

TMixerAudioDriver::TMixerAudioDriver(Text name, TMixerOpener opener)
    : _name(std::move(name)), _opener(std::move(opener)) {}

TMixerAudioDriver::~TMixerAudioDriver() {
    if (ActiveDriver == this) {
        Shutdown();
    }
}

TMixerAudioDriver* TMixerAudioDriver::Active() {
    return ActiveDriver;
}

int32_t TMixerAudioDriver::Generation() {
    return SessionGeneration;
}

TMixerBackEnd* TMixerAudioDriver::MixerOf(int32_t generation) {
    return ActiveDriver && generation == SessionGeneration ? ActiveDriver->_mixer.get() : nullptr;
}

int32_t TMixerAudioDriver::Startup() {
    if (ActiveDriver == this) {
        return 1;
    }
    if (ActiveDriver) {
        ActiveDriver->Shutdown();
    }
    _mixer = _opener();
    if (!_mixer) {
        return 0;
    }
    ActiveDriver = this;
    return 1;
}

void TMixerAudioDriver::Shutdown() {
    if (ActiveDriver != this) {
        return;
    }
    // The session ends first, so that nothing released below calls the mixer:
    // closing it deletes every source and buffer at once.
    ++SessionGeneration;
    ActiveDriver = nullptr;
    _lonely.clear();
    _mixer.reset();
}

std::shared_ptr<TSound> TMixerAudioDriver::CreateSound(const std::shared_ptr<TAudioSample>& sample,
                                                       int32_t flags) {
    if (!sample || ActiveDriver != this) {
        return nullptr;
    }
    return TMixerSound::Create(*sample, flags);
}

std::shared_ptr<TChannel> TMixerAudioDriver::AllocChannel() {
    return std::make_shared<TMixerChannel>();
}

void TMixerAudioDriver::AddLonely(std::vector<std::shared_ptr<TBuf>> bufs) {
    bufs.insert(bufs.end(), std::make_move_iterator(_lonely.begin()),
                std::make_move_iterator(_lonely.end()));
    _lonely = std::move(bufs);
}

void TMixerAudioDriver::FlushLonely() {
    std::erase_if(_lonely, [](const std::shared_ptr<TBuf>& buf) {
        if (buf->Active()) {
            return false;
        }
        buf->Release();
        return true;
    });
}
