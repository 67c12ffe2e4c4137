#include "audio/openal/quiet_device_probe.h"

// The browser's OpenAL opens its one device over Web Audio without a word,
// and there is no ALSA to load (a page cannot load libraries): nothing to
// quieten, and the library handles stay empty.
TQuietDeviceProbe::TQuietDeviceProbe() {
    (void)_alsa;
    (void)_setErrorHandler;
}

TQuietDeviceProbe::~TQuietDeviceProbe() = default;
