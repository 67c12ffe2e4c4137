#include "audio/audio_failure.h"

#include "util/runtime_error.h"

Text AudioFailureMessage(const Text& call, int32_t code) {
    return call + u" failed (" + IntToText(code & 0xFFFF) + u")";
}

void RaiseAudioFailure(const Text& call, int32_t code) {
    RaiseRuntimeError(AudioFailureMessage(call, code));
}
