#include "audio/audio_driver.h"

#include "audio/null_audio.h"
#include "audio/sound_off_notice.h"
#include "system/program_exit.h"

namespace {

constexpr size_t MaxListedDrivers = 100;

// The driver tried first when none has been chosen yet; empty for "Null".
Text& PreferredDriverName() {
    static Text name;
    return name;
}

TAudioDriver*& Current() {
    static TAudioDriver* current = nullptr;
    return current;
}

// Made by the chain's installation, so that the null driver joins the chain
// before any other, whichever is made first. Callers go through Drivers()
// first: made from anywhere else, its own joining would ask for it again
// while it is still being made.
TAudioDriver& NullDriver() {
    static TAudioDriver driver;
    return driver;
}

TRegistrationChain<TAudioDriver>& Drivers() {
    static TRegistrationChain<TAudioDriver> chain;
    chain.InstallOnce(NullDriver);
    return chain;
}

void RegisterExitHandlerOnce() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        AddExitHandler(StopAudioDriver);
    }
}

} // namespace

TAudioDriver::TAudioDriver() : _link(Drivers(), *this) {}

// The link leaves the chain just after this, as the members go.
TAudioDriver::~TAudioDriver() {
    if (Current() == this) {
        Current() = nullptr;
    }
}

Text TAudioDriver::Name() {
    return u"Null";
}

int32_t TAudioDriver::Startup() {
    return 1;
}

void TAudioDriver::Shutdown() {}

std::shared_ptr<TSound> TAudioDriver::CreateSound(const std::shared_ptr<TAudioSample>& sample,
                                                  int32_t flags) {
    if (!sample) {
        return nullptr;
    }
    return std::make_shared<TNullSound>(*sample, flags);
}

std::shared_ptr<TChannel> TAudioDriver::AllocChannel() {
    return std::make_shared<TNullChannel>();
}

std::shared_ptr<TSound> TAudioDriver::LoadSound(const TUrl& url, int32_t flags) {
    return TSound::Load(url, flags);
}

TAudioDriver& NullAudioDriver() {
    Drivers();
    return NullDriver();
}

int32_t SelectAudioDriver(const Text& name) {
    RegisterExitHandlerOnce();
    const Text wanted = LowerText(name);
    StopAudioDriver();
    Current() = &NullAudioDriver();
    for (TAudioDriver& driver : Drivers()) {
        if (LowerText(driver.Name()) == wanted) {
            if (driver.Startup() == 0) {
                return 0;
            }
            Current() = &driver;
            return 1;
        }
    }
    return 0;
}

void PreferAudioDriver(const Text& name) {
    PreferredDriverName() = name;
}

TAudioDriver& CurrentAudioDriver() {
    if (Current()) {
        return *Current();
    }
    const Text& preferred = PreferredDriverName();
    if (preferred.empty() || SelectAudioDriver(preferred) == 0) {
        if (!preferred.empty() && HasAudioDriver(preferred) == 0) {
            SaySoundIsOff(preferred + u" is not available");
        }
        SelectAudioDriver(u"Null");
    }
    return *Current();
}

void StopAudioDriver() {
    if (TAudioDriver* driver = Current()) {
        Current() = nullptr;
        driver->Shutdown();
    }
}

std::vector<Text> ListAudioDrivers() {
    std::vector<Text> names;
    for (TAudioDriver& driver : Drivers()) {
        if (names.size() == MaxListedDrivers) {
            break;
        }
        names.push_back(driver.Name());
    }
    return names;
}

int32_t HasAudioDriver(const Text& name) {
    const Text wanted = LowerText(name);
    for (TAudioDriver& driver : Drivers()) {
        if (LowerText(driver.Name()) == wanted) {
            return 1;
        }
    }
    return 0;
}
