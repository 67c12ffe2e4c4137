#include "test_pictures.h"

#include "io/memory_stream.h"
#include "pixmap/pixmap_loader.h"

#include <algorithm>

namespace {

void AppendToString(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

// Owns no C++ objects: libpng's longjmp lands here on any error.
bool WritePng(png_structp png, png_infop info, const TPngPicture& picture, png_bytepp rows,
              png_colorp palette, png_color_16p transparentColour) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (palette) {
        png_set_PLTE(png, info, palette, static_cast<int>(picture.palette.size()));
    }
    if (!picture.paletteAlpha.empty() || transparentColour) {
        png_set_tRNS(png, info, picture.paletteAlpha.data(),
                     static_cast<int>(picture.paletteAlpha.size()), transparentColour);
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

void AppendLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>(value >> (8 * i)));
    }
}

} // namespace

std::string EncodePng(const TPngPicture& picture) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::string file;
    png_set_write_fn(png, &file, AppendToString, nullptr);

    const int channels = picture.colourType == PNG_COLOR_TYPE_RGB          ? 3
                         : picture.colourType == PNG_COLOR_TYPE_RGB_ALPHA  ? 4
                         : picture.colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                           : 1;
    const size_t rowBytes = (picture.width * channels * picture.bitDepth + 7) / 8;
    std::vector<uint8_t> samples = picture.rows;
    samples.resize(rowBytes * picture.height);
    std::vector<png_bytep> rows(picture.height);
    for (uint32_t y = 0; y < picture.height; ++y) {
        rows[y] = samples.data() + y * rowBytes;
    }
    std::vector<png_color> palette = picture.palette;
    std::optional<png_color_16> transparentColour = picture.transparentColour;

    const bool written =
        WritePng(png, info, picture, rows.data(), palette.empty() ? nullptr : palette.data(),
                 transparentColour ? &*transparentColour : nullptr);
    png_destroy_write_struct(&png, &info);
    return written ? file : std::string();
}

std::string EncodeBmp(const TBmpPicture& picture) {
    const auto paletteBytes = static_cast<uint32_t>(picture.palette.size() * 4);
    const bool masksAfterHeader = picture.headerSize <= 40;
    const auto masksBytes = static_cast<uint32_t>(picture.masks.size() * 4);
    const uint32_t dataOffset = 14 + std::max(picture.headerSize, 40) + paletteBytes +
                                (masksAfterHeader ? masksBytes : 0) + picture.gap.size();
    std::string file = "BM";
    AppendLE(file, dataOffset + picture.pixelData.size(), 4);
    AppendLE(file, 0, 4);
    AppendLE(file, dataOffset, 4);
    AppendLE(file, picture.headerSize, 4);
    AppendLE(file, picture.width, 4);
    AppendLE(file, picture.height, 4);
    AppendLE(file, 1, 2);
    AppendLE(file, picture.bitsPerPixel, 2);
    AppendLE(file, picture.compression, 4);
    AppendLE(file, picture.pixelData.size(), 4);
    AppendLE(file, 2835, 4); // 72 dots per inch
    AppendLE(file, 2835, 4);
    AppendLE(file, picture.coloursUsed, 4);
    AppendLE(file, 0, 4);
    for (uint32_t mask : picture.masks) {
        AppendLE(file, mask, 4);
    }
    file.resize(std::max(file.size(), size_t{14} + picture.headerSize), '\0');
    for (uint32_t colour : picture.palette) {
        AppendLE(file, colour, 4); // blue, green, red, unused
    }
    return file + picture.gap + picture.pixelData;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

std::shared_ptr<TPixmap> LoadPixmapFromBytes(const std::string& bytes) {
    return LoadPixmapFrom(
        std::make_shared<TRamStream>(bytes.data(), static_cast<int64_t>(bytes.size())));
}
