#include "util/runtime_error.h"

#include "util/utf8.h"

TRuntimeError::TRuntimeError(const Text& message)
    : std::runtime_error(TextToUtf8(message)), _message(message) {}

void RaiseRuntimeError(const Text& message) {
    throw TRuntimeError(message);
}
