#pragma once

// While OpenAL Soft looks for an output device it tries each of its back ends,
// and they report every failure on standard error: on a machine without a
// sound card a normal start prints a dozen lines of ALSA's and OpenAL's own,
// where only fatal messages belong. A failed probe is not fatal here: the
// game says once that the sound is off and plays on in silence.
//
// For its lifetime this keeps ALSA's error reports quiet, and it keeps
// OpenAL Soft's log quiet unless the user asks for it (ALSOFT_LOGLEVEL). What
// the user's configuration asks of either library is left as it is.
class TQuietDeviceProbe {
public:
    TQuietDeviceProbe();
    ~TQuietDeviceProbe();
    TQuietDeviceProbe(const TQuietDeviceProbe&) = delete;
    TQuietDeviceProbe& operator=(const TQuietDeviceProbe&) = delete;

private:
    using TErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using TSetErrorHandler = int (*)(TErrorHandler);

    // ALSA's, when the library is there (OpenAL Soft loads it the same way).
    void* _alsa = nullptr;
    TSetErrorHandler _setErrorHandler = nullptr;
};
