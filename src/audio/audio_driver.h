#pragma once

// Audio drivers make sounds from samples and hand out channels. Every driver
// joins a process-wide chain when it is made, and one of them is current.
// This base class is itself the silent driver named "Null", which is always
// in the chain: with it everything loads and plays, and nothing is heard.

#include "audio/audio_sample.h"
#include "audio/channel.h"
#include "audio/sound.h"
#include "io/url.h"
#include "util/registration_chain.h"
#include "util/text.h"

#include <cstdint>
#include <memory>
#include <vector>

class TAudioDriver {
public:
    TAudioDriver();
    // Leaves the chain; a current driver that is destroyed leaves no driver
    // current.
    virtual ~TAudioDriver();
    TAudioDriver(const TAudioDriver&) = delete;
    TAudioDriver& operator=(const TAudioDriver&) = delete;

    virtual Text Name();
    // 1 when the driver is ready to play.
    virtual int32_t Startup();
    virtual void Shutdown();
    // Null when the driver cannot use the sample.
    virtual std::shared_ptr<TSound> CreateSound(const std::shared_ptr<TAudioSample>& sample,
                                                int32_t flags);
    // A channel of this driver, holding no sound.
    virtual std::shared_ptr<TChannel> AllocChannel();
    // TSound::Load, which makes the sound with the current driver.
    virtual std::shared_ptr<TSound> LoadSound(const TUrl& url, int32_t flags);

    TAudioDriver* Successor() const { return _link.Successor(); }

private:
    TRegistrationChain<TAudioDriver>::TLink _link;
};

// The "Null" driver.
TAudioDriver& NullAudioDriver();

// Names the driver that the first audio call selects: the platform's own
// driver names itself when it registers, even when it finds that the system
// lacks what it needs and so stays out of the chain. Until one is named,
// that call selects "Null".
void PreferAudioDriver(const Text& name);

// The current driver. The first call selects the preferred driver, or "Null"
// when that driver is missing or does not start, and has StopAudioDriver run
// at program exit. A preferred driver that is missing from the chain is
// reported once on standard output: sound is off. (A driver that does not
// start says why itself.)
TAudioDriver& CurrentAudioDriver();

// Shuts the current driver down, then starts the named one (names compare
// without regard to case) and makes it current. Returns 1 on success; on
// failure the "Null" driver is left current and 0 is returned.
int32_t SelectAudioDriver(const Text& name);

// Shuts the current driver down; none is current until the next audio call.
void StopAudioDriver();

// The names of the registered drivers in chain order (newest first), at
// most 100.
std::vector<Text> ListAudioDrivers();

// 1 when a registered driver has this name, compared without regard to case.
int32_t HasAudioDriver(const Text& name);
