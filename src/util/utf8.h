#pragma once

// The operating-system boundary of texts: file names, standard output and
// messages are UTF-8 there.

#include "util/text.h"

#include <string>
#include <string_view>

// Surrogate pairs become one four-byte sequence; a lone surrogate is encoded
// on its own as three bytes, so that no code unit is ever lost.
std::string TextToUtf8(const Text& text);

// Malformed bytes each become U+FFFD; characters beyond the Basic Multilingual
// Plane become surrogate pairs.
Text Utf8ToText(std::string_view utf8);
