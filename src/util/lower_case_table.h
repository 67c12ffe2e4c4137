#pragma once

// Upper-case/lower-case pairs of the simple Unicode mapping from U+00C0 up,
// ascending by the upper-case unit so that a lookup is a binary search.

#include <span>

struct LowerCasePair {
    char16_t upper;
    char16_t lower;
};

std::span<const LowerCasePair> LowerCaseTable();
