#pragma once

// What the PNG reader and writer share about driving libpng from C++.
//
// libpng reports errors by longjmp. A longjmp that skips a C++ frame owning
// objects with destructors is undefined, so the rules are: the setjmp sits in
// a function that owns no such objects and only calls libpng; the callbacks
// never let an exception into libpng's C frames, they record it and end the
// decoding through png_error instead; and everything with a destructor lives
// in the caller of the setjmp function, which the longjmp never skips.

#include "io/stream.h"

#include <png.h>

#include <cstddef>
#include <exception>

// The stream a libpng read or write callback works on, and the exception
// that made it stop, if any.
struct TPngStreamLink {
    TStream* stream = nullptr;
    std::exception_ptr failure;
};

// Error callback: ends the decoding through the longjmp without printing
// anything (libpng's default writes to standard error).
[[noreturn]] void PngErrorToLongJump(png_structp png, png_const_charp message);
// Warning callback: ignored, a damaged ancillary chunk is no reason to talk.
void PngIgnoreWarning(png_structp png, png_const_charp message);
