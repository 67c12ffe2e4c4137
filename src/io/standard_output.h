#pragma once

// The program's diagnostic lines: UTF-8 text on standard output, CR LF line
// ends, flushed line by line so that progress shows at once.

#include "io/text_stream.h"
#include "util/text.h"

#include <memory>

// The process-wide UTF-8 text stream over the console, made on first use.
const std::shared_ptr<TTextStream>& StandardOutput();

// Writes the line and flushes. A line that cannot be written is dropped.
void PrintLine(const Text& text);
