// Writes a small set of real PNG and BMP files, one per layout the loaders
// decode, into the directory given: the seed corpus of the picture loader
// fuzz target, which the test suite also replays.

#include "test_pictures.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

TPngPicture Png(uint32_t width, uint32_t height, int colourType, int bitDepth) {
    TPngPicture picture;
    picture.width = width;
    picture.height = height;
    picture.colourType = colourType;
    picture.bitDepth = bitDepth;
    for (uint32_t i = 0; i < width * height * 8; ++i) {
        picture.rows.push_back(static_cast<uint8_t>(i * 37 + i / 5));
    }
    return picture;
}

TBmpPicture Bmp(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t paletteEntries) {
    TBmpPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = bitsPerPixel;
    picture.coloursUsed = paletteEntries;
    for (int32_t i = 0; i < paletteEntries; ++i) {
        picture.palette.push_back(static_cast<uint32_t>(i) * 0x0A1B2C);
    }
    const int32_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    for (int32_t i = 0; i < rowBytes * height; ++i) {
        picture.pixelData.push_back(static_cast<char>(i * 53 + 7));
    }
    return picture;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-pixmap-fuzz-seeds <directory>\n";
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    std::filesystem::create_directories(directory);

    TPngPicture palette = Png(5, 3, PNG_COLOR_TYPE_PALETTE, 4);
    palette.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {185, 122, 87}};
    palette.paletteAlpha = {255, 0, 128};
    for (uint8_t& byte : palette.rows) {
        byte &= 0x33; // indices 0..3
    }
    TPngPicture interlaced = Png(9, 9, PNG_COLOR_TYPE_RGB, 8);
    interlaced.interlaced = true;
    TPngPicture keyedGrey = Png(12, 2, PNG_COLOR_TYPE_GRAY, 1);
    keyedGrey.transparentColour = png_color_16{0, 0, 0, 0, 1};
    TBmpPicture bitFields = Bmp(3, 2, 32, 0);
    bitFields.compression = 3;
    bitFields.headerSize = 124;
    bitFields.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    TBmpPicture packedFields = Bmp(5, 2, 32, 0);
    packedFields.compression = 3;
    packedFields.masks = {0xF800, 0x07E0, 0x001F};

    const std::pair<const char*, std::string> seeds[] = {
        {"rgb8.png", EncodePng(Png(8, 8, PNG_COLOR_TYPE_RGB, 8))},
        {"rgb8-interlaced.png", EncodePng(interlaced)},
        {"rgb16.png", EncodePng(Png(3, 3, PNG_COLOR_TYPE_RGB, 16))},
        {"rgba8.png", EncodePng(Png(4, 4, PNG_COLOR_TYPE_RGB_ALPHA, 8))},
        {"grey-alpha.png", EncodePng(Png(4, 3, PNG_COLOR_TYPE_GRAY_ALPHA, 8))},
        {"grey1-keyed.png", EncodePng(keyedGrey)},
        {"palette4-alpha.png", EncodePng(palette)},
        {"bmp1.bmp", EncodeBmp(Bmp(13, 3, 1, 2))},
        {"bmp4.bmp", EncodeBmp(Bmp(5, 2, 4, 16))},
        {"bmp8.bmp", EncodeBmp(Bmp(6, 3, 8, 7))},
        {"bmp24.bmp", EncodeBmp(Bmp(3, 2, 24, 0))},
        {"bmp32-bitfields.bmp", EncodeBmp(bitFields)},
        {"bmp32-bitfields-565.bmp", EncodeBmp(packedFields)},
    };
    for (const auto& [name, bytes] : seeds) {
        // A seed that does not load would only exercise the refusals.
        if (bytes.empty() || !LoadPixmapFromBytes(bytes)) {
            std::cerr << "could not make " << name << "\n";
            return 1;
        }
        std::ofstream(directory / name, std::ios::binary) << bytes;
    }
    return 0;
}
