#include "audio/openal/quiet_device_probe.h"

#include <dlfcn.h>

#include <cstdlib>

namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

} // namespace

TQuietDeviceProbe::TQuietDeviceProbe() {
    // OpenAL Soft reads its log level once, before it opens its first device;
    // set after that, this changes nothing.
    setenv("ALSOFT_LOGLEVEL", "0", 0);

    _alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (_alsa) {
        _setErrorHandler =
            reinterpret_cast<TSetErrorHandler>(dlsym(_alsa, "snd_lib_error_set_handler"));
    }
    if (_setErrorHandler) {
        _setErrorHandler(IgnoreAlsaError);
    }
}

TQuietDeviceProbe::~TQuietDeviceProbe() {
    if (_setErrorHandler) {
        _setErrorHandler(nullptr); // ALSA's own reporting again
    }
    if (_alsa) {
        dlclose(_alsa);
    }
}
