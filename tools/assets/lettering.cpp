#include "lettering.h"

#include "pixel_grid.h"
#include "util/runtime_error.h"

#include <algorithm>

namespace {

constexpr int32_t LetterRows = 7;

struct TLetter {
    char character;
    TGrid rows;
};

const TLetter Letters[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {':', {".", "#", ".", ".", ".", "#", "."}},
    {' ', {"...", "...", "...", "...", "...", "...", "..."}},
};

const TLetter& LetterFor(char character) {
    for (const TLetter& letter : Letters) {
        if (letter.character == character) {
            return letter;
        }
    }
    RaiseRuntimeError(u"no block letter for '" + Text(1, static_cast<char16_t>(character)) + u"'");
}

int32_t LetterWidth(const TLetter& letter) {
    return static_cast<int32_t>(letter.rows[0].size());
}

} // namespace

TLetterMask::TLetterMask(std::string_view text, int32_t scale) {
    int32_t columns = 0;
    for (const char character : text) {
        columns += LetterWidth(LetterFor(character)) + 1;
    }
    columns = std::max(0, columns - 1);
    _width = columns * scale;
    _height = LetterRows * scale;
    _bits.assign(static_cast<size_t>(_width) * static_cast<size_t>(_height), false);

    int32_t left = 0;
    for (const char character : text) {
        const TLetter& letter = LetterFor(character);
        for (int32_t y = 0; y < _height; ++y) {
            for (int32_t x = 0; x < LetterWidth(letter) * scale; ++x) {
                if (letter.rows[static_cast<size_t>(y / scale)][static_cast<size_t>(x / scale)] ==
                    '#') {
                    _bits[static_cast<size_t>(y * _width + left + x)] = true;
                }
            }
        }
        left += (LetterWidth(letter) + 1) * scale;
    }
}

bool TLetterMask::At(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= _width || y >= _height) {
        return false;
    }
    return _bits[static_cast<size_t>(y * _width + x)];
}

void DrawLetters(TPixmap& canvas, const TLetterMask& mask, int32_t x, int32_t y, uint32_t argb) {
    for (int32_t row = 0; row < mask.Height(); ++row) {
        for (int32_t column = 0; column < mask.Width(); ++column) {
            if (mask.At(column, row)) {
                PutPixel(canvas, x + column, y + row, argb);
            }
        }
    }
}

void DrawOutlinedLetters(TPixmap& canvas, const TLetterMask& mask, int32_t x, int32_t y,
                         uint32_t argb, uint32_t outline) {
    for (int32_t row = -1; row <= mask.Height(); ++row) {
        for (int32_t column = -1; column <= mask.Width(); ++column) {
            bool nearLetter = false;
            for (int32_t dy = -1; dy <= 1; ++dy) {
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    nearLetter = nearLetter || mask.At(column + dx, row + dy);
                }
            }
            if (nearLetter && !mask.At(column, row)) {
                PutPixel(canvas, x + column, y + row, outline);
            }
        }
    }
    DrawLetters(canvas, mask, x, y, argb);
}
