#pragma once

// A fatal error of the program. Nothing in the game catches it: the program's
// entry writes the message to standard error, runs the exit handlers and
// exits with status 255.

#include "util/text.h"

#include <stdexcept>

class TRuntimeError : public std::runtime_error {
public:
    explicit TRuntimeError(const Text& message);

    const Text& Message() const { return _message; }

private:
    Text _message;
};

[[noreturn]] void RaiseRuntimeError(const Text& message);
