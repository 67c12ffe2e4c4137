#pragma once

// The byte layouts a pixmap can have, and the conversion between them that
// pasting, converting, the loaders and texture uploads all go through.
// Every channel is 8 bits; an ARGB value is 0xAARRGGBB.

#include <cstdint>

constexpr int32_t FormatI8 = 1;       // intensity
constexpr int32_t FormatA8 = 2;       // alpha
constexpr int32_t FormatBGR888 = 3;   // B, G, R
constexpr int32_t FormatRGB888 = 4;   // R, G, B
constexpr int32_t FormatBGRA8888 = 5; // B, G, R, A
constexpr int32_t FormatRGBA8888 = 6; // R, G, B, A

// 0 for codes that name no format.
constexpr int32_t BytesPerPixel(int32_t format) {
    switch (format) {
    case FormatI8:
    case FormatA8:
        return 1;
    case FormatBGR888:
    case FormatRGB888:
        return 3;
    case FormatBGRA8888:
    case FormatRGBA8888:
        return 4;
    default:
        return 0;
    }
}

// 8 for the formats that carry alpha, 0 for the others.
constexpr int32_t FormatAlphaBits(int32_t format) {
    return format == FormatA8 || format == FormatBGRA8888 || format == FormatRGBA8888 ? 8 : 0;
}

// Converts `count` pixels from one row to another. Equal formats are copied
// as they are (the rows may overlap); otherwise every pixel goes through
// R, G, B, A: a format without colour gives white, one without alpha gives
// opaque, intensity is the integer mean of R, G and B. An unknown source
// format reads as zeros; an unknown destination format is not written.
void ConvertPixels(const uint8_t* source, int32_t sourceFormat, uint8_t* destination,
                   int32_t destinationFormat, int32_t count);
