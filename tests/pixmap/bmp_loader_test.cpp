#include "io/memory_stream.h"
#include "pixmap/pixmap_loader.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

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
    // A 124-byte header with bit-field masks between it and the pixels.
    TBmpPicture picture;
    picture.bitsPerPixel = 32;
    picture.compression = 3;
    picture.headerSize = 124;
    picture.gap = Bytes({0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF});
    picture.pixelData = Bytes({0x57, 0x7A, 0xB9, 0xFF});
    auto pixmap = LoadPixmapFromBytes(EncodeBmp(picture));
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0xFFB97A57u);
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
