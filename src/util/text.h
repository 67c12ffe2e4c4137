#pragma once

// Texts are sequences of 16-bit code units; a length counts code units.
// Conversion to and from UTF-8 happens only where text meets the operating
// system (see utf8.h).

#include <cstdint>
#include <string>

using Text = std::u16string;

Text Concat(const Text& a, const Text& b);

// Difference of the first unequal code units, or of the lengths when one text
// is a prefix of the other: a prefix sorts first.
int Compare(const Text& a, const Text& b);

Text IntToText(int32_t value);

// Leading white space, an optional sign, then binary digits after "%",
// hexadecimal after "$" or decimal otherwise. Accumulates with 32-bit
// wrap-around; no digits gives 0.
int32_t TextToInt(const Text& text);

// Narrowed to 8 bits and parsed as a C decimal literal, then rounded to float.
float TextToFloat(const Text& text);

// 1-based position of the first occurrence of `sub` at or after `start`
// (values below 1 count as 1), or 0 when there is none.
int FindText(const Text& text, const Text& sub, int start = 1);

Text LeftText(const Text& text, int count);
Text RightText(const Text& text, int count);

// ASCII letters, plus the simple Unicode lower-case mapping from U+00C0 up.
Text LowerText(const Text& text);
char16_t LowerCodeUnit(char16_t unit);
