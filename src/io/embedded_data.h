#pragma once

// Named blocks of data compiled into the program (the built-in font), which
// the "embedded::" scheme opens as read-only streams.

#include "util/text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The block must outlive every stream opened on it; registering a name again
// replaces the earlier block.
void RegisterEmbeddedData(const Text& name, const void* data, size_t size);

// The block registered under exactly this name, if any.
std::optional<std::span<const uint8_t>> FindEmbeddedData(const Text& name);
