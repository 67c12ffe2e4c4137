#pragma once

// The built-in font's bitmap: 96 glyphs of 8 x 16 pixels for the character
// codes 32 to 127, one bit per pixel.

#include <array>
#include <cstdint>

inline constexpr int32_t DefaultFontFirstCode = 32;
inline constexpr int32_t DefaultFontGlyphCount = 96;
inline constexpr int32_t DefaultFontGlyphWidth = 8;
inline constexpr int32_t DefaultFontGlyphHeight = 16;

using TDefaultFontBitmap = std::array<uint8_t, DefaultFontGlyphCount * DefaultFontGlyphHeight>;

// 1536 bytes, 16 rows of 96: row r of the glyph for code 32 + s is the byte at
// r * 96 + s, bit 0 its leftmost pixel and bit 7 its rightmost.
const TDefaultFontBitmap& DefaultFontBitmap();
