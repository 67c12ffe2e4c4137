#include "audio/mixer_channel.h"

#include "audio/mixer_units.h"

TMixerChannel::~TMixerChannel() {
    if (Live() && _buf->HeldPaused()) {
        Stop();
    }
}

bool TMixerChannel::Live() const {
    return _buf && _buf->Seq() == _seq;
}

void TMixerChannel::Drop() {
    _buf = nullptr;
}

int32_t TMixerChannel::Cue(const std::shared_ptr<TMixerSound>& sound) {
    Stop();
    auto buf = sound->TakeFreeBuf();
    if (!buf) {
        Drop();
        return 0;
    }
    _sound = sound;
    _buf = std::move(buf);
    _seq = _buf->Seq();
    _hertz = sound->Hertz();
    _looping = sound->Loops();
    _buf->SetHeldPaused(1);

    _buf->Rewind();
    _buf->SetLooping(_looping);
    ApplyVolume();
    ApplyPan();
    ApplyRate();
    return 1;
}

void TMixerChannel::Stop() {
    if (!Live()) {
        return;
    }
    // The position is left where it is: the next cue rewinds.
    _buf->Stop();
    _buf->SetHeldPaused(0);
    _buf->Disown();
    Drop();
}

void TMixerChannel::SetPaused(int32_t paused) {
    if (!Live()) {
        return;
    }
    if (!_buf->Active()) {
        // The sound has ended: resuming must not start it again.
        _buf->Disown();
        Drop();
        return;
    }
    if (paused == 0) {
        _buf->Resume();
    } else {
        _buf->Pause();
    }
    _buf->SetHeldPaused(paused != 0 ? 1 : 0);
}

void TMixerChannel::SetVolume(float volume) {
    _volume = VolumeCurve(volume);
    if (Live()) {
        ApplyVolume();
    }
}

void TMixerChannel::SetPan(float pan) {
    _pan = PanCurve(pan);
    if (Live()) {
        ApplyPan();
    }
}

void TMixerChannel::SetRate(float rate) {
    _rate = rate;
    if (Live()) {
        ApplyRate();
    }
}

int32_t TMixerChannel::Playing() {
    return Live() ? _buf->Playing() : 0;
}

void TMixerChannel::ApplyVolume() {
    _buf->SetVolume(MillibelsFromVolumeCurve(_volume));
}

void TMixerChannel::ApplyPan() {
    _buf->SetPan(PanUnitsFromPanCurve(_pan));
}

void TMixerChannel::ApplyRate() {
    _buf->SetFrequency(FrequencyFromRate(_hertz, _rate));
}
