#include "io/memory_stream.h"
#include "pixmap/pixmap_loader.h"
#include "test_pictures.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

namespace {

// A chunk with its length and checksum, for files libpng would not write.
std::string Chunk(const std::string& type, const std::string& data) {
    std::string chunk;
    for (int shift = 24; shift >= 0; shift -= 8) {
        chunk.push_back(static_cast<char>(data.size() >> shift));
    }
    chunk += type + data;
    const auto* bytes = reinterpret_cast<const Bytef*>(chunk.data() + 4);
    const uLong crc = crc32(0, bytes, static_cast<uInt>(chunk.size() - 4));
    for (int shift = 24; shift >= 0; shift -= 8) {
        chunk.push_back(static_cast<char>(crc >> shift));
    }
    return chunk;
}

std::string BigEndian(uint32_t value) {
    return Bytes({static_cast<int>(value >> 24), static_cast<int>(value >> 16 & 0xFF),
                  static_cast<int>(value >> 8 & 0xFF), static_cast<int>(value & 0xFF)});
}

// A small, well-formed file whose header claims width x height RGB pixels.
std::string PngClaiming(uint32_t width, uint32_t height) {
    const std::string signature = "\x89PNG\r\n\x1a\n";
    const std::string header = BigEndian(width) + BigEndian(height) + Bytes({8, 2, 0, 0, 0});
    // All rows, filter byte and samples zero, or the first few kilobytes.
    const uint64_t imageBytes = uint64_t{height} * (1 + uint64_t{width} * 3);
    std::string zeros(std::min<uint64_t>(imageBytes, 4096), '\0');
    std::string deflated(compressBound(zeros.size()), '\0');
    uLongf size = deflated.size();
    compress(reinterpret_cast<Bytef*>(deflated.data()), &size,
             reinterpret_cast<const Bytef*>(zeros.data()), zeros.size());
    deflated.resize(size);
    return signature + Chunk("IHDR", header) + Chunk("IDAT", deflated) + Chunk("IEND", "");
}

TPngPicture RgbPicture(uint32_t width, uint32_t height) {
    TPngPicture picture;
    picture.width = width;
    picture.height = height;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            picture.rows.insert(picture.rows.end(),
                                {static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 4),
                                 static_cast<uint8_t>(x ^ y)});
        }
    }
    return picture;
}

} // namespace

TEST(PngLoader, EightBitRgbKeepsEverySampleAndReadsOpaque) {
    TPngPicture picture = RgbPicture(64, 64);
    const size_t wall = (10 * 64 + 20) * 3; // pixel (20, 10)
    picture.rows[wall] = 185;
    picture.rows[wall + 1] = 122;
    picture.rows[wall + 2] = 87;
    auto pixmap = LoadPixmapFromBytes(EncodePng(picture));
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->format, FormatRGB888);
    EXPECT_EQ(pixmap->pitch, 192);
    EXPECT_EQ(pixmap->ReadPixel(20, 10), 0xFFB97A57u);
    EXPECT_EQ(static_cast<int32_t>(pixmap->ReadPixel(20, 10)), -4621737);
    EXPECT_EQ(std::memcmp(pixmap->PixelPtr(0, 63), &picture.rows[63 * 192], 192), 0);

    picture.interlaced = true;
    auto interlaced = LoadPixmapFromBytes(EncodePng(picture));
    ASSERT_TRUE(interlaced);
    EXPECT_EQ(std::memcmp(interlaced->pixels, pixmap->pixels, pixmap->capacity), 0);
}

TEST(PngLoader, PaletteTransparencyBecomesAlpha) {
    TPngPicture picture;
    picture.width = 3;
    picture.colourType = PNG_COLOR_TYPE_PALETTE;
    picture.bitDepth = 4;
    picture.palette = {{0xFF, 0, 0}, {0, 0xFF, 0}, {0, 0, 0xFF}};
    picture.paletteAlpha = {0xFF, 0x00}; // entry 2 has none, so it is opaque
    picture.rows = {0x01, 0x20};
    auto pixmap = LoadPixmapFromBytes(EncodePng(picture));
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->format, FormatRGBA8888);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixmap->ReadPixel(1, 0), 0x0000FF00u);
    EXPECT_EQ(pixmap->ReadPixel(2, 0), 0xFF0000FFu);

    picture.paletteAlpha.clear();
    auto opaque = LoadPixmapFromBytes(EncodePng(picture));
    ASSERT_TRUE(opaque);
    EXPECT_EQ(opaque->format, FormatRGB888);
    EXPECT_EQ(opaque->ReadPixel(1, 0), 0xFF00FF00u);
}

TEST(PngLoader, SixteenBitSamplesKeepTheirHighBytes) {
    TPngPicture picture;
    picture.bitDepth = 16;
    picture.rows = {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x01};
    auto pixmap = LoadPixmapFromBytes(EncodePng(picture));
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->format, FormatRGB888);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0xFF12ABFFu);
}

TEST(PngLoader, GreyPicturesGiveIntensityOrRgbaWithAlpha) {
    TPngPicture greyAlpha;
    greyAlpha.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.rows = {0x40, 0x80};
    auto withAlpha = LoadPixmapFromBytes(EncodePng(greyAlpha));
    ASSERT_TRUE(withAlpha);
    EXPECT_EQ(withAlpha->format, FormatRGBA8888);
    EXPECT_EQ(std::vector<uint8_t>(withAlpha->pixels, withAlpha->pixels + 4),
              (std::vector<uint8_t>{0x40, 0x40, 0x40, 0x80}));

    TPngPicture grey;
    grey.colourType = PNG_COLOR_TYPE_GRAY;
    grey.width = 3;
    grey.rows = {0x00, 0x7F, 0xFF};
    auto intensity = LoadPixmapFromBytes(EncodePng(grey));
    ASSERT_TRUE(intensity);
    EXPECT_EQ(intensity->format, FormatI8);
    EXPECT_EQ(intensity->ReadPixel(1, 0), 0xFF7F7F7Fu);

    // One bit per pixel expands to 0 and 255; a transparent grey value
    // becomes an alpha channel.
    grey.bitDepth = 1;
    grey.rows = {0b10100000};
    grey.transparentColour = png_color_16{0, 0, 0, 0, 0};
    auto keyed = LoadPixmapFromBytes(EncodePng(grey));
    ASSERT_TRUE(keyed);
    EXPECT_EQ(keyed->format, FormatRGBA8888);
    EXPECT_EQ(keyed->ReadPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(keyed->ReadPixel(1, 0), 0x00000000u);
}

TEST(PngLoader, RgbaKeepsItsAlpha) {
    TPngPicture picture;
    picture.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    picture.rows = {0xB9, 0x7A, 0x57, 0x33};
    auto pixmap = LoadPixmapFromBytes(EncodePng(picture));
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->format, FormatRGBA8888);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0x33B97A57u);
}

TEST(PngLoader, CorruptOrTruncatedFilesGiveNull) {
    const std::string file = EncodePng(RgbPicture(16, 16));
    for (size_t length = 0; length < file.size(); ++length) {
        EXPECT_FALSE(LoadPixmapFromBytes(file.substr(0, length))) << "length " << length;
    }

    // A damaged byte in the pixel data: first with its checksum left wrong,
    // then with a correct checksum over undecodable data.
    const size_t idat = file.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    std::string damaged = file;
    damaged[idat + 6] = static_cast<char>(damaged[idat + 6] ^ 0x5A);
    EXPECT_FALSE(LoadPixmapFromBytes(damaged));
    const std::string garbage(40, '\x7F');
    EXPECT_FALSE(
        LoadPixmapFromBytes(file.substr(0, 33) + Chunk("IDAT", garbage) + Chunk("IEND", "")));

    EXPECT_FALSE(LoadPixmapFromBytes("not a picture at all"));
}

TEST(PngLoader, AbsurdSizesAreRefusedBeforeDecoding) {
    EXPECT_TRUE(LoadPixmapFromBytes(PngClaiming(32, 32)));

    const std::string huge = PngClaiming(20000, 20000);
    EXPECT_LT(huge.size(), 200u);
    EXPECT_FALSE(LoadPixmapFromBytes(huge));
    // Within the per-side limit but over the pixel budget.
    EXPECT_FALSE(LoadPixmapFromBytes(PngClaiming(8192, 4096)));
    EXPECT_FALSE(LoadPixmapFromBytes(PngClaiming(0, 10)));

    // The refusal comes from the header alone: libpng never reads on, so it
    // never allocates the rows.
    TPixmapLoader* png = FirstPixmapLoader()->Successor();
    auto stream = std::make_shared<TRamStream>(huge.data(), static_cast<int64_t>(huge.size()));
    EXPECT_FALSE(png->LoadPixmap(stream));
    EXPECT_EQ(stream->Pos(), 24);
}
