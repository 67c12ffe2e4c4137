#include "audio/openal/openal_audio_driver.h"

#include "audio/mixer_audio_driver.h"
#include "audio/openal/openal_mixer.h"
#include "io/standard_output.h"

namespace {

std::unique_ptr<TMixerBackEnd> OpenDefaultMixer() {
    static bool told = false;
    Text why;
    auto mixer = TOpenALMixer::OpenDefaultDevice(why);
    if (!mixer && !told) {
        told = true;
        PrintLine(u"Sound is off: " + why + u".");
    }
    return mixer;
}

[[maybe_unused]] const bool Registered = (RegisterOpenALAudioDriver(), true);

} // namespace

void RegisterOpenALAudioDriver() {
    static TMixerAudioDriver driver(u"OpenAL", OpenDefaultMixer);
    PreferAudioDriver(driver.Name());
}
