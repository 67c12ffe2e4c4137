#pragma once

// Texts as Windows' wide strings and back. Both are UTF-16, so the code units
// are copied as they are.

#include "util/text.h"

#include <string>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide strings are UTF-16 only on Windows");

inline std::wstring TextToWide(const Text& text) {
    return std::wstring(text.begin(), text.end());
}

inline Text WideToText(const std::wstring& wide) {
    return Text(wide.begin(), wide.end());
}
