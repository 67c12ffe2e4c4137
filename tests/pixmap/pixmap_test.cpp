#include "pixmap/pixmap.h"
#include "util/runtime_error.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const int32_t AllFormats[] = {FormatI8,     FormatA8,       FormatBGR888,
                              FormatRGB888, FormatBGRA8888, FormatRGBA8888};

std::vector<uint8_t> PixelBytes(const TPixmap& pixmap, int32_t x, int32_t y) {
    const uint8_t* p = pixmap.PixelPtr(x, y);
    return {p, p + BytesPerPixel(pixmap.format)};
}

} // namespace

TEST(Pixmap, CreatePadsRowsToTheAlignment) {
    auto tile = TPixmap::Create(40, 40, FormatRGB888, 4);
    EXPECT_EQ(tile->pitch, 120);
    EXPECT_EQ(tile->capacity, 4800);
    EXPECT_EQ(TPixmap::Create(6, 11, FormatRGB888, 4)->pitch, 20);
    EXPECT_EQ(CreatePixmap(3, 2, FormatI8, 1)->pitch, 3);
    EXPECT_EQ(CreatePixmap(0, 5, FormatRGBA8888)->capacity, 0);

    EXPECT_THROW(TPixmap::Create(-1, 4, FormatI8, 4), TRuntimeError);
    EXPECT_THROW(TPixmap::Create(4, 4, FormatI8, 0), TRuntimeError);
    EXPECT_THROW(TPixmap::Create(65536, 65536, FormatRGBA8888, 4), TRuntimeError);
}

TEST(Pixmap, ReadPixelGivesTheStoredBytesAsARGB) {
    struct TCase {
        int32_t format;
        std::vector<uint8_t> bytes;
        uint32_t argb;
    };
    const TCase cases[] = {
        {FormatA8, {0x40}, 0x40FFFFFF},
        {FormatI8, {0x95}, 0xFF959595},
        {FormatRGB888, {0xB9, 0x7A, 0x57}, 0xFFB97A57},
        {FormatBGR888, {0x57, 0x7A, 0xB9}, 0xFFB97A57},
        {FormatRGBA8888, {0xB9, 0x7A, 0x57, 0x80}, 0x80B97A57},
        {FormatBGRA8888, {0x57, 0x7A, 0xB9, 0x80}, 0x80B97A57},
    };
    for (const TCase& c : cases) {
        auto pixmap = TPixmap::Create(3, 2, c.format, 4);
        std::copy(c.bytes.begin(), c.bytes.end(), pixmap->PixelPtr(2, 1));
        EXPECT_EQ(pixmap->ReadPixel(2, 1), c.argb) << "format " << c.format;
    }
    auto unknown = TPixmap::Create(2, 2, 9, 4);
    EXPECT_EQ(unknown->ReadPixel(1, 1), 0u);
}

TEST(Pixmap, WritePixelStoresExactlyWhatTheFormatKeeps) {
    struct TCase {
        int32_t format;
        std::vector<uint8_t> bytes;
        uint32_t readBack;
    };
    // Alpha 0x00, red 0xFF, green 0x80, blue 0x40.
    const uint32_t argb = 0x00FF8040;
    const TCase cases[] = {
        {FormatA8, {0x00}, 0x00FFFFFF},
        {FormatI8, {149}, 0xFF959595}, // (255 + 128 + 64) / 3
        {FormatRGB888, {0xFF, 0x80, 0x40}, 0xFFFF8040},
        {FormatBGR888, {0x40, 0x80, 0xFF}, 0xFFFF8040},
        {FormatRGBA8888, {0xFF, 0x80, 0x40, 0x00}, 0x00FF8040},
        {FormatBGRA8888, {0x40, 0x80, 0xFF, 0x00}, 0x00FF8040},
    };
    for (const TCase& c : cases) {
        auto pixmap = TPixmap::Create(4, 3, c.format, 4);
        pixmap->WritePixel(3, 2, argb);
        EXPECT_EQ(PixelBytes(*pixmap, 3, 2), c.bytes) << "format " << c.format;
        EXPECT_EQ(pixmap->ReadPixel(3, 2), c.readBack) << "format " << c.format;
    }

    auto tile = TPixmap::Create(40, 40, FormatRGB888, 4);
    tile->WritePixel(39, 39, 0xFF000000);
    EXPECT_EQ(tile->ReadPixel(39, 39), 0xFF000000u);
    tile->WritePixel(5, 7, 0x80FFFFFF);
    EXPECT_EQ(tile->ReadPixel(5, 7), 0xFFFFFFFFu);
    EXPECT_EQ(static_cast<int32_t>(tile->ReadPixel(5, 7)), -1);
}

TEST(Pixmap, WindowSharesTheParentsMemoryAndKeepsItAlive) {
    auto parent = TPixmap::Create(8, 8, FormatRGBA8888, 4);
    parent->ClearPixels(0);
    auto window = parent->Window(2, 3, 4, 2);
    EXPECT_EQ(window->pitch, parent->pitch);
    EXPECT_EQ(window->capacity, -1);
    EXPECT_EQ(window->pixels, parent->PixelPtr(2, 3));

    window->WritePixel(1, 1, 0x11223344);
    EXPECT_EQ(parent->ReadPixel(3, 4), 0x11223344u);
    parent->WritePixel(2, 3, 0x55667788);
    EXPECT_EQ(window->ReadPixel(0, 0), 0x55667788u);

    parent.reset();
    EXPECT_EQ(window->ReadPixel(1, 1), 0x11223344u); // still valid memory
}

TEST(Pixmap, CopyIsIndependentAndAlignedToFour) {
    auto source = TPixmap::Create(5, 3, FormatRGB888, 1);
    source->ClearPixels(0xFF102030);
    auto copy = source->Copy();
    EXPECT_EQ(source->pitch, 15);
    EXPECT_EQ(copy->pitch, 16);
    EXPECT_EQ(copy->ReadPixel(4, 2), 0xFF102030u);
    copy->WritePixel(4, 2, 0xFFFFFFFF);
    EXPECT_EQ(source->ReadPixel(4, 2), 0xFF102030u);
}

TEST(Pixmap, ConversionRoundTripsKeepWhatBothFormatsHold) {
    auto rgba = TPixmap::Create(1, 1, FormatRGBA8888, 4);
    std::copy_n(std::vector<uint8_t>{1, 2, 3, 4}.begin(), 4, rgba->pixels);
    auto bgr = rgba->Convert(FormatBGR888);
    EXPECT_EQ(PixelBytes(*bgr, 0, 0), (std::vector<uint8_t>{3, 2, 1}));
    EXPECT_EQ(PixelBytes(*bgr->Convert(FormatRGBA8888), 0, 0),
              (std::vector<uint8_t>{1, 2, 3, 255}));

    // Between every pair of formats, a pixel reads back as if written
    // straight into the destination.
    const uint32_t colours[] = {0x80FF8040, 0xFF000000, 0x00FFFFFF, 0x7F0A141E};
    for (int32_t from : AllFormats) {
        auto source = TPixmap::Create(4, 2, from, 4);
        for (int32_t i = 0; i < 4; ++i) {
            source->WritePixel(i, 1, colours[i]);
        }
        for (int32_t to : AllFormats) {
            auto converted = source->Convert(to);
            auto expected = TPixmap::Create(1, 1, to, 4);
            for (int32_t i = 0; i < 4; ++i) {
                expected->WritePixel(0, 0, source->ReadPixel(i, 1));
                EXPECT_EQ(converted->ReadPixel(i, 1), expected->ReadPixel(0, 0))
                    << "from " << from << " to " << to << " pixel " << i;
            }
        }
    }
}

TEST(Pixmap, PasteConvertsIntoPlace) {
    auto target = TPixmap::Create(6, 5, FormatRGB888, 4);
    target->ClearPixels(0xFF000000);
    auto source = TPixmap::Create(2, 2, FormatBGRA8888, 4);
    source->ClearPixels(0x80123456);
    source->WritePixel(1, 1, 0xFFABCDEF);
    target->Paste(*source, 3, 2);
    EXPECT_EQ(target->ReadPixel(3, 2), 0xFF123456u);
    EXPECT_EQ(target->ReadPixel(4, 3), 0xFFABCDEFu);
    EXPECT_EQ(target->ReadPixel(2, 2), 0xFF000000u);
    EXPECT_EQ(target->ReadPixel(5, 3), 0xFF000000u);
    EXPECT_EQ(target->ReadPixel(3, 4), 0xFF000000u);
}

TEST(Pixmap, ClearPixelsFillsEveryPixelButNotThePadding) {
    for (int32_t format : AllFormats) {
        auto pixmap = TPixmap::Create(3, 2, format, 8);
        std::fill_n(pixmap->pixels, pixmap->capacity, 0xEE);
        pixmap->ClearPixels(0x80FF8040);
        auto expected = TPixmap::Create(1, 1, format, 4);
        expected->WritePixel(0, 0, 0x80FF8040);
        for (int32_t y = 0; y < 2; ++y) {
            for (int32_t x = 0; x < 3; ++x) {
                EXPECT_EQ(PixelBytes(*pixmap, x, y), PixelBytes(*expected, 0, 0));
            }
            EXPECT_EQ(pixmap->PixelPtr(0, y)[pixmap->pitch - 1], 0xEE);
        }

        pixmap->ClearPixels(0);
        EXPECT_EQ(PixelBytes(*pixmap, 2, 1), std::vector<uint8_t>(BytesPerPixel(format), 0));
        EXPECT_EQ(pixmap->PixelPtr(0, 1)[pixmap->pitch - 1], 0xEE);
    }
    auto packed = TPixmap::Create(4, 2, FormatRGBA8888, 4);
    std::fill_n(packed->pixels, packed->capacity, 0xEE);
    packed->ClearPixels(0);
    EXPECT_EQ(std::count(packed->pixels, packed->pixels + packed->capacity, 0), packed->capacity);
}
