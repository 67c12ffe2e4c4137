#include "audio/audio_driver.h"

#include "audio/null_audio.h"
#include "util/program_exit.h"

namespace {

// The driver tried first when none has been chosen yet.
constexpr char16_t PreferredDriverName[] = u"OpenAL";
constexpr size_t MaxListedDrivers = 100;

TAudioDriver*& ChainFront() {
    static TAudioDriver* front = nullptr;
    return front;
}

TAudioDriver*& Current() {
    static TAudioDriver* current = nullptr;
    return current;
}

// The null driver goes into the chain before any other, whichever is made
// first. A plain flag, because its own constructor comes back here.
TAudioDriver* RegisterNullDriver() {
    static bool registered = false;
    static TAudioDriver* driver = nullptr;
    if (!registered) {
        registered = true;
        static TAudioDriver nullDriver;
        driver = &nullDriver;
    }
    return driver;
}

void RegisterExitHandlerOnce() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        AddExitHandler(StopAudioDriver);
    }
}

} // namespace

TAudioDriver::TAudioDriver() {
    RegisterNullDriver();
    _succ = ChainFront();
    ChainFront() = this;
}

TAudioDriver::~TAudioDriver() {
    if (Current() == this) {
        Current() = nullptr;
    }
    for (TAudioDriver** link = &ChainFront(); *link; link = &(*link)->_succ) {
        if (*link == this) {
            *link = _succ;
            return;
        }
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
    return *RegisterNullDriver();
}

int32_t SelectAudioDriver(const Text& name) {
    RegisterExitHandlerOnce();
    const Text wanted = LowerText(name);
    StopAudioDriver();
    Current() = &NullAudioDriver();
    for (TAudioDriver* driver = ChainFront(); driver; driver = driver->Successor()) {
        if (LowerText(driver->Name()) == wanted) {
            if (driver->Startup() == 0) {
                return 0;
            }
            Current() = driver;
            return 1;
        }
    }
    return 0;
}

TAudioDriver& CurrentAudioDriver() {
    if (!Current() && SelectAudioDriver(PreferredDriverName) == 0) {
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
    RegisterNullDriver();
    std::vector<Text> names;
    for (TAudioDriver* driver = ChainFront(); driver && names.size() < MaxListedDrivers;
         driver = driver->Successor()) {
        names.push_back(driver->Name());
    }
    return names;
}

int32_t HasAudioDriver(const Text& name) {
    RegisterNullDriver();
    const Text wanted = LowerText(name);
    for (TAudioDriver* driver = ChainFront(); driver; driver = driver->Successor()) {
        if (LowerText(driver->Name()) == wanted) {
            return 1;
        }
    }
    return 0;
}
