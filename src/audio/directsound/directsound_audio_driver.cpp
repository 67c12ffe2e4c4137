#include "audio/directsound/directsound_audio_driver.h"

#include "audio/directsound/directsound_mixer.h"
#include "audio/mixer_audio_driver.h"
#include "audio/sound_off_notice.h"

namespace {

constexpr char16_t DriverName[] = u"DirectSound";

// DirectSoundCreate of the system's library, or null when there is none. The
// library stays loaded until the process ends: sounds may play on to the end.
TDirectSoundMixer::TDirectSoundCreate FindDirectSoundCreate() {
    HMODULE library = LoadLibraryA("dsound");
    if (!library) {
        return nullptr;
    }
    const FARPROC entry = GetProcAddress(library, "DirectSoundCreate");
    if (!entry) {
        FreeLibrary(library);
        return nullptr;
    }
    // Through the generic function type, which any function pointer may be
    // cast to and from.
    return reinterpret_cast<TDirectSoundMixer::TDirectSoundCreate>(
        reinterpret_cast<void (*)()>(entry));
}

std::unique_ptr<TMixerBackEnd> OpenDefaultMixer(TDirectSoundMixer::TDirectSoundCreate create) {
    Text why;
    auto mixer = TDirectSoundMixer::Open(create, why);
    if (!mixer) {
        SaySoundIsOff(why);
    }
    return mixer;
}

[[maybe_unused]] const bool Registered = (RegisterDirectSoundAudioDriver(), true);

} // namespace

void RegisterDirectSoundAudioDriver() {
    static const auto create = FindDirectSoundCreate();
    if (create) {
        static TMixerAudioDriver driver(DriverName, [] { return OpenDefaultMixer(create); });
    }
    PreferAudioDriver(DriverName);
}
