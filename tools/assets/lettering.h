#pragma once

// Block capitals for the screen pictures, 7 rows high, drawn from character
// grids like every other picture. Only the letters the screens spell are
// there; any other character raises a runtime error.

#include "pixmap/pixmap.h"

#include <cstdint>
#include <string_view>
#include <vector>

// A text set in the block capitals, as a grid of set and clear pixels; each
// letter pixel becomes a scale x scale block, letters are one block apart.
class TLetterMask {
public:
    TLetterMask(std::string_view text, int32_t scale);

    int32_t Width() const { return _width; }
    int32_t Height() const { return _height; }
    // False outside the mask.
    bool At(int32_t x, int32_t y) const;

private:
    int32_t _width = 0;
    int32_t _height = 0;
    std::vector<bool> _bits;
};

// Plain text in one colour with its top-left corner at (x, y).
void DrawLetters(TPixmap& canvas, const TLetterMask& mask, int32_t x, int32_t y, uint32_t argb);

// Text with a dark outline all round it, so it stays readable over anything.
void DrawOutlinedLetters(TPixmap& canvas, const TLetterMask& mask, int32_t x, int32_t y,
                         uint32_t argb, uint32_t outline);
