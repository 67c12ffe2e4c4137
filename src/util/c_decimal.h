#pragma once

// Reading a C decimal literal the same way whatever locale the program has
// chosen: the point is always '.'. The one locale-bound call of the text
// helpers, and the platforms spell it differently.

#include <string>

// `literal` is a whole decimal literal (see TextToFloat).
double ParseCDecimal(const std::string& literal);
