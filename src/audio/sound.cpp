#include "audio/sound.h"

#include "audio/audio_driver.h"
#include "audio/audio_sample_loader.h"

std::shared_ptr<TChannel> TSound::Play(const std::shared_ptr<TChannel>&) {
    return std::make_shared<TChannel>();
}

std::shared_ptr<TChannel> TSound::Cue(const std::shared_ptr<TChannel>&) {
    return std::make_shared<TChannel>();
}

std::shared_ptr<TSound> TSound::Load(const TUrl& url, int32_t flags) {
    return Load(AudioSampleFromUrl(url), flags);
}

std::shared_ptr<TSound> TSound::Load(const std::shared_ptr<TAudioSample>& sample, int32_t flags) {
    if (!sample) {
        return nullptr;
    }
    return CurrentAudioDriver().CreateSound(sample, flags);
}
