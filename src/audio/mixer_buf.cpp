#include "audio/mixer_buf.h"

#include "audio/mixer_audio_driver.h"

TPcmBuffer::~TPcmBuffer() {
    if (auto* mixer = TMixerAudioDriver::MixerOf(_generation)) {
        mixer->DeleteBuffer(_id);
    }
}

TMixerBackEnd* TBuf::Mixer() const {
    return _source != 0 ? TMixerAudioDriver::MixerOf(_pcm->Generation()) : nullptr;
}

int32_t TBuf::Playing() {
    if (_paused) {
        return 0;
    }
    auto* mixer = Mixer();
    return mixer && mixer->State(_source) == TSourceState::Playing ? 1 : 0;
}

int32_t TBuf::Active() {
    return _paused ? 1 : Playing();
}

void TBuf::Release() {
    if (auto* mixer = Mixer()) {
        mixer->DeleteSource(_source);
    }
    _source = 0;
    _paused = 0;
    ++_seq;
}

void TBuf::Resume() {
    if (auto* mixer = Mixer(); mixer && mixer->State(_source) != TSourceState::Playing) {
        mixer->Play(_source);
    }
}

void TBuf::Pause() {
    if (auto* mixer = Mixer()) {
        mixer->Pause(_source);
    }
}

void TBuf::Stop() {
    if (auto* mixer = Mixer()) {
        mixer->Stop(_source);
    }
}

void TBuf::Rewind() {
    if (auto* mixer = Mixer()) {
        mixer->Rewind(_source);
    }
}

void TBuf::SetLooping(bool looping) {
    if (auto* mixer = Mixer()) {
        mixer->SetLooping(_source, looping);
    }
}

void TBuf::SetVolume(int32_t millibels) {
    if (auto* mixer = Mixer()) {
        mixer->SetVolume(_source, millibels);
    }
}

void TBuf::SetPan(int32_t panUnits) {
    if (auto* mixer = Mixer()) {
        mixer->SetPan(_source, panUnits);
    }
}

void TBuf::SetFrequency(int32_t hertz) {
    if (auto* mixer = Mixer()) {
        mixer->SetFrequency(_source, hertz);
    }
}
