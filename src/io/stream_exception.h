#pragma once

// Errors of the byte streams. Loaders catch TStreamException to treat a short
// or unwritable file as "not in my format"; nothing else in the stream layer
// raises them.

#include <stdexcept>

class TStreamException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Data ran out inside an exact-length read (ReadBytes, SkipBytes, typed reads).
class TStreamReadException : public TStreamException {
public:
    TStreamReadException() : TStreamException("Error reading from stream") {}
};

// The stream took fewer bytes than an exact-length write gave it.
class TStreamWriteException : public TStreamException {
public:
    TStreamWriteException() : TStreamException("Error writing to stream") {}
};
