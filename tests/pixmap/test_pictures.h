#pragma once

// Picture files made byte for byte by the tests themselves: PNG through
// libpng directly (so the loader is not checked against our own writer) and
// BMP written by hand. The fuzz seed generator uses them too.

#include "pixmap/pixmap.h"

#include <png.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TPngPicture {
    uint32_t width = 1;
    uint32_t height = 1;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    bool interlaced = false;
    // Every row as the file stores it, packed, 16-bit samples high byte first.
    std::vector<uint8_t> rows;
    std::vector<png_color> palette;
    // tRNS: alpha per palette entry, or one fully transparent grey/RGB value.
    std::vector<uint8_t> paletteAlpha;
    std::optional<png_color_16> transparentColour;
};

// The encoded file; empty if libpng refused the description.
std::string EncodePng(const TPngPicture& picture);

struct TBmpPicture {
    int32_t width = 1;
    int32_t height = 1;
    int32_t bitsPerPixel = 24;
    int32_t coloursUsed = 0;
    int32_t compression = 0;
    int32_t headerSize = 40; // longer headers are padded with zeros
    // Bit-field masks, red first: after a 40-byte header, inside a longer one.
    std::vector<uint32_t> masks;
    std::vector<uint32_t> palette; // 0x00RRGGBB per stored entry
    std::string gap;               // bytes between the palette and the data offset
    std::string pixelData;         // file rows, bottom row first, padding included
};

std::string EncodeBmp(const TBmpPicture& picture);

// The bytes given as numbers, for writing rows by hand.
std::string Bytes(std::initializer_list<int> values);

// LoadPixmapFrom over an in-memory copy of the bytes.
std::shared_ptr<TPixmap> LoadPixmapFromBytes(const std::string& bytes);
