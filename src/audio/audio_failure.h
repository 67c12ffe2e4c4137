#pragma once

// The runtime error of a failed platform audio call: the call's name, then
// " failed (", the low 16 bits of its result code in decimal, then ")".

#include "util/text.h"

#include <cstdint>

Text AudioFailureMessage(const Text& call, int32_t code);
[[noreturn]] void RaiseAudioFailure(const Text& call, int32_t code);
