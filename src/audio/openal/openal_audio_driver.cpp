#include "audio/openal/openal_audio_driver.h"

#include "audio/mixer_audio_driver.h"
#include "audio/openal/openal_mixer.h"
#include "audio/sound_off_notice.h"

namespace {

std::unique_ptr<TMixerBackEnd> OpenDefaultMixer() {
    Text why;
    auto mixer = TOpenALMixer::OpenDefaultDevice(why);
    if (!mixer) {
        SaySoundIsOff(why);
    }
    return mixer;
}

[[maybe_unused]] const bool Registered = (RegisterOpenALAudioDriver(), true);

} // namespace

void RegisterOpenALAudioDriver() {
    static TMixerAudioDriver driver(u"OpenAL", OpenDefaultMixer);
    PreferAudioDriver(driver.Name());
}
