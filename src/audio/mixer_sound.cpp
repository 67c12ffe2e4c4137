#include "audio/mixer_sound.h"

#include "audio/mixer_audio_driver.h"
#include "audio/mixer_channel.h"
#include "audio/sample_format.h"

#include <limits>

namespace {

// The mixer takes samples in the machine's (little-endian) byte order: the
// big-endian formats are converted, the others go as they are (null).
std::shared_ptr<TAudioSample> LittleEndianCopy(const TAudioSample& sample) {
    if (sample.format == FormatMono16BE) {
        return sample.Convert(FormatMono16LE);
    }
    if (sample.format == FormatStereo16BE) {
        return sample.Convert(FormatStereo16LE);
    }
    return nullptr;
}

} // namespace

TMixerSound::TMixerSound(std::shared_ptr<TPcmBuffer> buffer, int32_t hertz, int32_t loop)
    : _seq(buffer->Generation()), _buffer(std::move(buffer)), _hertz(hertz), _loop(loop) {}

std::shared_ptr<TMixerSound> TMixerSound::Create(const TAudioSample& sample, int32_t flags) {
    auto* driver = TMixerAudioDriver::Active();
    if (!driver || !IsSampleFormat(sample.format) || sample.hertz <= 0 || sample.length < 0 ||
        sample.ByteCount() > std::numeric_limits<int32_t>::max()) {
        return nullptr;
    }
    driver->FlushLonely();
    const auto converted = LittleEndianCopy(sample);
    const TAudioSample* data = converted ? converted.get() : &sample;
    const int32_t channels = ChannelCount(data->format);
    const int32_t bytesPerValue = BytesPerFrame(data->format) / channels;
    // The byte count is length × frame size: always whole frames.
    const uint32_t id = driver->Mixer().CreateBuffer(
        data->samples, static_cast<int32_t>(data->ByteCount()), channels, bytesPerValue * 8,
        data->hertz, (flags & SoundInHardware) != 0);
    auto pcm = std::make_shared<TPcmBuffer>(id, TMixerAudioDriver::Generation());
    std::shared_ptr<TMixerSound> sound(
        new TMixerSound(std::move(pcm), sample.hertz, flags & SoundLoops));
    // Without a source to spare the sound still loads; its first cue tries again.
    if (auto buf = sound->NewBuf()) {
        sound->_bufs.push_back(std::move(buf));
    }
    return sound;
}

TMixerSound::~TMixerSound() {
    if (_seq == TMixerAudioDriver::Generation()) {
        if (auto* driver = TMixerAudioDriver::Active()) {
            driver->AddLonely(std::move(_bufs));
        }
    }
}

std::shared_ptr<TBuf> TMixerSound::NewBuf() {
    auto* mixer = TMixerAudioDriver::MixerOf(_seq);
    if (!mixer) {
        return nullptr;
    }
    const uint32_t source = mixer->CreateSource(_buffer->Id());
    return source != 0 ? std::make_shared<TBuf>(_buffer, source) : nullptr;
}

std::shared_ptr<TBuf> TMixerSound::TakeFreeBuf() {
    if (_seq != TMixerAudioDriver::Generation()) {
        return nullptr;
    }
    for (auto& buf : _bufs) {
        if (!buf->Active()) {
            buf->Disown();
            return buf;
        }
    }
    TMixerAudioDriver::Active()->FlushLonely();
    auto buf = NewBuf();
    if (buf) {
        _bufs.insert(_bufs.begin(), buf);
    }
    return buf;
}

std::shared_ptr<TChannel> TMixerSound::Cue(const std::shared_ptr<TChannel>& channel) {
    auto mixerChannel = std::dynamic_pointer_cast<TMixerChannel>(channel);
    if (!mixerChannel) {
        mixerChannel = std::make_shared<TMixerChannel>();
    }
    mixerChannel->Cue(shared_from_this());
    return mixerChannel;
}

std::shared_ptr<TChannel> TMixerSound::Play(const std::shared_ptr<TChannel>& channel) {
    auto used = Cue(channel);
    used->SetPaused(0);
    return used;
}
