#pragma once

// Text in the current font (SetDrawFont), colour, alpha and blend mode,
// through the current transform. Only characters the font has are drawn;
// the others are skipped without moving the pen.

#include "util/text.h"

#include <cstdint>

// (x, y) plus the origin is the top-left corner of the first glyph; the
// drawing handle shifts the text along the transformed axes.
void DrawString(const Text& text, float x, float y);
// In logical units at scale 1: the sum of the glyphs' advances.
int32_t TextWidth(const Text& text);
int32_t TextHeight();
