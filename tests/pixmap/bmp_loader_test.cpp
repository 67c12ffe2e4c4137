#include "io/memory_stream.h"
#include "pixmap/pixmap_loader.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(BmpLoader, TwentyFourBitRowsArePaddedAndStoredBottomUp) {
    TBmpPicture picture;
    picture.width = 3;
    picture.height = 2;
    // 9 bytes of pixels and 3 of padding per row; the first row is the bottom.
    picture.pixelData = Bytes({0x57, 0x7A, 0xB9, 1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 0xEE}) +
                        Bytes({0xFF, 0xFF, 0xFF, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE, 0xEE});
    auto pixmap = LoadPixmapFromBytes(EncodeBmp(picture));
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->format, FormatBGR888);
    EXPECT_EQ(pixmap->width, 3);
    EXPECT_EQ(pixmap->height, 2);
    EXPECT_EQ(pixmap->ReadPixel(0, 1), 0xFFB97A57u);
    EXPECT_EQ(pixmap->ReadPixel(2, 1), 0xFF060504u);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(pixmap->ReadPixel(2, 0), 0xFF0C0B0Au);
}

TEST(BmpLoader, ThirtyTwoBitKeepsAlphaAsStored) {
    TBmpPicture picture;
    picture.width = 2;
    picture.bitsPerPixel = 32;
    picture.pixelData = Bytes({0x57, 0x7A, 0xB9, 0x80, 1, 2, 3, 0});
    auto pixmap = LoadPixmapFromBytes(EncodeBmp(picture));
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->format, FormatBGRA8888);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0x80B97A57u);
    EXPECT_EQ(pixmap->ReadPixel(1, 0), 0x00030201u);
}

TEST(BmpLoader, PaletteDepthsUnpackMostSignificantBitsFirst) {
    // 1 bit: always two entries, whatever colours-used says; 10 pixels take
    // 2 bytes, padded to 4.
    TBmpPicture mono;
    mono.width = 10;
    mono.bitsPerPixel = 1;
    mono.coloursUsed = 7;
    mono.palette = {0x000000, 0xFFFFFF};
    mono.pixelData = Bytes({0b10110000, 0b01000000, 0, 0});
    auto bits = LoadPixmapFromBytes(EncodeBmp(mono));
    ASSERT_TRUE(bits);
    EXPECT_EQ(bits->format, FormatBGR888);
    const uint32_t expected[] = {1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
    for (int32_t x = 0; x < 10; ++x) {
        EXPECT_EQ(bits->ReadPixel(x, 0), expected[x] ? 0xFFFFFFFFu : 0xFF000000u) << x;
    }

    // 4 bits with colours-used 0: a full 16-entry palette (64 bytes).
    TBmpPicture nibbles;
    nibbles.width = 3;
    nibbles.bitsPerPixel = 4;
    for (uint32_t i = 0; i < 16; ++i) {
        nibbles.palette.push_back(i * 0x111111);
    }
    nibbles.pixelData = Bytes({0xF1, 0x70, 0, 0});
    auto sixteen = LoadPixmapFromBytes(EncodeBmp(nibbles));
    ASSERT_TRUE(sixteen);
    EXPECT_EQ(sixteen->ReadPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(sixteen->ReadPixel(1, 0), 0xFF111111u);
    EXPECT_EQ(sixteen->ReadPixel(2, 0), 0xFF777777u);

    // 8 bits with three colours used: other indices are black.
    TBmpPicture bytes;
    bytes.width = 5;
    bytes.height = 2;
    bytes.bitsPerPixel = 8;
    bytes.coloursUsed = 3;
    bytes.palette = {0xB97A57, 0x102030, 0xFFFFFF};
    bytes.pixelData = Bytes({0, 1, 2, 3, 255, 0, 0, 0}) + Bytes({2, 2, 2, 2, 0, 0, 0, 0});
    auto indexed = LoadPixmapFromBytes(EncodeBmp(bytes));
    ASSERT_TRUE(indexed);
    EXPECT_EQ(indexed->ReadPixel(0, 1), 0xFFB97A57u);
    EXPECT_EQ(indexed->ReadPixel(1, 1), 0xFF102030u);
    EXPECT_EQ(indexed->ReadPixel(3, 1), 0xFF000000u);
    EXPECT_EQ(indexed->ReadPixel(4, 1), 0xFF000000u);
    EXPECT_EQ(indexed->ReadPixel(4, 0), 0xFFB97A57u);
}

TEST(BmpLoader, LongerHeadersAndDataOffsetsAreHonoured) {
    // A 124-byte header with its masks, and a gap before the pixels.
    TBmpPicture picture;
    picture.bitsPerPixel = 32;
    picture.compression = 3;
    picture.headerSize = 124;
    picture.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    picture.gap = Bytes({1, 2, 3, 4, 5, 6});
    picture.pixelData = Bytes({0x57, 0x7A, 0xB9, 0xFF});
    auto pixmap = LoadPixmapFromBytes(EncodeBmp(picture));
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0xFFB97A57u);
}

namespace {

// One row of 32-bit pixels, given as little-endian pixel values.
TBmpPicture ThirtyTwoBitRow(int32_t headerSize, int32_t compression, std::vector<uint32_t> masks,
                            const std::vector<uint32_t>& pixels) {
    TBmpPicture picture;
    picture.width = static_cast<int32_t>(pixels.size());
    picture.bitsPerPixel = 32;
    picture.compression = compression;
    picture.headerSize = headerSize;
    picture.masks = std::move(masks);
    for (uint32_t pixel : pixels) {
        picture.pixelData +=
            Bytes({static_cast<int>(pixel & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
                   static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 24)});
    }
    return picture;
}

} // namespace

// Every header version and mask layout the loader takes, each decoded
// exactly, and the ones it cannot decode refused. Values are scaled from
// the width of their mask to 8 bits, rounded.
TEST(BmpLoader, BitFieldMasksAreDecodedThroughTheMasksOrRefused) {
    const std::vector<uint32_t> refused;
    const struct {
        const char* name;
        int32_t headerSize;
        int32_t compression;
        std::vector<uint32_t> masks;
        std::vector<uint32_t> pixels;
        std::vector<uint32_t> argb; // empty: refused
    } cases[] = {
        {"8-8-8 after a 40-byte header, fourth byte unused",
         40,
         3,
         {0xFF0000, 0xFF00, 0xFF},
         {0x80B97A57, 0x00010203},
         {0xFFB97A57, 0xFF010203}},
        {"R-G-B-X after a 40-byte header",
         40,
         3,
         {0xFF000000, 0xFF0000, 0xFF00},
         {0xFF000000, 0x11223344},
         {0xFFFF0000, 0xFF112233}},
        {"X-B-G-R after a 40-byte header",
         40,
         3,
         {0xFF, 0xFF00, 0xFF0000},
         {0x00332211, 0x000000FF},
         {0xFF112233, 0xFFFF0000}},
        {"5-6-5 in the low half of 32 bits",
         40,
         3,
         {0xF800, 0x07E0, 0x001F},
         {0xF800, 0x07E0, 0xABCD001F, 0x0821, 0x8410},
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF080408, 0xFF848284}},
        {"10-10-10 in a 52-byte header",
         52,
         3,
         {0x3FF00000, 0x000FFC00, 0x3FF},
         {0xC0000000 | 0x3FF00000 | 0x200 << 10},
         {0xFFFF8000}},
        {"alpha mask in a 56-byte header",
         56,
         3,
         {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
         {0x80B97A57, 0x00010203},
         {0x80B97A57, 0x00010203}},
        {"V4 with an alpha mask",
         108,
         3,
         {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
         {0x40B97A57},
         {0x40B97A57}},
        {"V5 with R-G-B-A masks",
         124,
         3,
         {0xFF000000, 0xFF0000, 0xFF00, 0xFF},
         {0xB97A5740, 0x00000000},
         {0x40B97A57, 0x00000000}},
        {"V5 with a 4-bit alpha mask",
         124,
         3,
         {0xFF0000, 0xFF00, 0xFF, 0x0F000000},
         {0x08B97A57},
         {0x88B97A57}},
        {"V5 without compression ignores its masks",
         124,
         0,
         {0xFF, 0xFF00, 0xFF0000, 0},
         {0x80B97A57},
         {0x80B97A57}},
        {"OS/2 2.x header without compression", 64, 0, {}, {0x00B97A57}, {0xFFB97A57}},
        {"OS/2 2.x header with Huffman coding",
         64,
         3,
         {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
         {0x00B97A57},
         refused},
        {"V5 masks all zero", 124, 3, {}, {0x00B97A57}, refused},
        {"mask with a gap in its run", 40, 3, {0xFF00FF, 0xFF00, 0}, {0x00B97A57}, refused},
        {"masks sharing bits", 40, 3, {0xFF0000, 0xFFFF00, 0xFF}, {0x00B97A57}, refused},
        {"alpha sharing bits with blue",
         56,
         3,
         {0xFF0000, 0xFF00, 0xFF, 0xFF0000FF},
         {0x00B97A57},
         refused},
        {"core header of 12 bytes", 12, 0, {}, {0x00B97A57}, refused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto pixmap = LoadPixmapFromBytes(
            EncodeBmp(ThirtyTwoBitRow(c.headerSize, c.compression, c.masks, c.pixels)));
        if (c.argb.empty()) {
            EXPECT_FALSE(pixmap);
            continue;
        }
        ASSERT_TRUE(pixmap);
        EXPECT_EQ(pixmap->format, FormatBGRA8888);
        for (size_t x = 0; x < c.argb.size(); ++x) {
            EXPECT_EQ(pixmap->ReadPixel(static_cast<int32_t>(x), 0), c.argb[x]) << "pixel " << x;
        }
    }

    // Masks describe 32-bit pixels only.
    TBmpPicture twentyFour = ThirtyTwoBitRow(40, 3, {0xFF0000, 0xFF00, 0xFF}, {0});
    twentyFour.bitsPerPixel = 24;
    EXPECT_FALSE(LoadPixmapFromBytes(EncodeBmp(twentyFour)));
}

// Nearly every writer leaves the reserved fourth byte 0: such a picture is
// opaque, while any other fourth byte anywhere makes all of them alpha.
TEST(BmpLoader, ThirtyTwoBitWithoutMasksIsOpaqueWhenNoFourthByteIsSet) {
    TBmpPicture unused = ThirtyTwoBitRow(40, 0, {}, {0x00B97A57, 0x00010203});
    unused.height = 2;
    unused.pixelData += unused.pixelData;
    auto opaque = LoadPixmapFromBytes(EncodeBmp(unused));
    ASSERT_TRUE(opaque);
    EXPECT_EQ(opaque->ReadPixel(0, 0), 0xFFB97A57u);
    EXPECT_EQ(opaque->ReadPixel(1, 1), 0xFF010203u);

    // One set fourth byte, in the last row read: every other stays 0.
    TBmpPicture mixed = unused;
    mixed.pixelData[15] = 1;
    auto stored = LoadPixmapFromBytes(EncodeBmp(mixed));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->ReadPixel(1, 0), 0x01010203u);
    EXPECT_EQ(stored->ReadPixel(0, 0), 0x00B97A57u);
    EXPECT_EQ(stored->ReadPixel(1, 1), 0x00010203u);
}

TEST(BmpLoader, UnsupportedOrImpossibleFilesGiveNull) {
    TBmpPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.pixelData = std::string(16, '\x40');
    ASSERT_TRUE(LoadPixmapFromBytes(EncodeBmp(picture)));

    const auto refused = [&](auto change) {
        TBmpPicture changed = picture;
        change(changed);
        return !LoadPixmapFromBytes(EncodeBmp(changed));
    };
    EXPECT_TRUE(refused([](TBmpPicture& p) { p.bitsPerPixel = 16; }));
    EXPECT_TRUE(refused([](TBmpPicture& p) { p.compression = 1; })); // run-length
    EXPECT_TRUE(refused([](TBmpPicture& p) { p.width = 0; }));
    EXPECT_TRUE(refused([](TBmpPicture& p) { p.height = 0; }));
    EXPECT_TRUE(refused([](TBmpPicture& p) { p.height = -2; })); // top-down
    EXPECT_TRUE(refused([](TBmpPicture& p) { p.width = -2; }));
    EXPECT_TRUE(refused([](TBmpPicture& p) { p.width = 8193; }));
    EXPECT_TRUE(refused([](TBmpPicture& p) { p.width = p.height = 5000; })); // 25 million
    // Claims far more rows than the file holds: refused without allocating.
    EXPECT_TRUE(refused([](TBmpPicture& p) { p.width = p.height = 4096; }));
    EXPECT_TRUE(refused([](TBmpPicture& p) {
        p.bitsPerPixel = 8;
        p.coloursUsed = 0x7FFFFFFF;
    }));

    // A claim the file cannot hold is refused before a single row is read.
    TBmpPicture tall = picture;
    tall.height = 4096;
    const std::string tallFile = EncodeBmp(tall);
    auto stream =
        std::make_shared<TRamStream>(tallFile.data(), static_cast<int64_t>(tallFile.size()));
    EXPECT_FALSE(FirstPixmapLoader()->LoadPixmap(stream));
    EXPECT_EQ(stream->Pos(), 54);

    const std::string file = EncodeBmp(picture);
    for (size_t length = 0; length < file.size(); ++length) {
        EXPECT_FALSE(LoadPixmapFromBytes(file.substr(0, length))) << "length " << length;
    }
}
