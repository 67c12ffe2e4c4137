#include "io/memory_stream.h"
#include "pixmap/pixmap_loader.h"
#include "pixmap/png_writer.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::shared_ptr<TPixmap> Gradient(int32_t format, int32_t width = 7, int32_t height = 5) {
    auto pixmap = TPixmap::Create(width, height, format, 4);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            pixmap->WritePixel(
                x, y,
                static_cast<uint32_t>(x * 0x25 + y) << 24 | static_cast<uint32_t>(x * 36) << 16 |
                    static_cast<uint32_t>(y * 50) << 8 | static_cast<uint32_t>(x * y));
        }
    }
    return pixmap;
}

// The bytes written, or empty when saving failed.
std::string Saved(const TPixmap& pixmap, int32_t compression) {
    auto bank = std::make_shared<TBank>();
    if (!SavePixmapPNG(pixmap, std::make_shared<TBankStream>(bank), compression)) {
        return {};
    }
    return {reinterpret_cast<const char*>(bank->Data()), static_cast<size_t>(bank->Size())};
}

} // namespace

TEST(PngWriter, EveryFormatReadsBackWithTheSamePixels) {
    struct TCase {
        int32_t format;
        int32_t loadedFormat;
    };
    const TCase cases[] = {
        {FormatI8, FormatI8},
        {FormatRGB888, FormatRGB888},
        {FormatBGR888, FormatRGB888},
        {FormatRGBA8888, FormatRGBA8888},
        {FormatBGRA8888, FormatRGBA8888},
        {FormatA8, FormatRGBA8888}, // stored as white with alpha
    };
    for (const TCase& c : cases) {
        auto pixmap = Gradient(c.format);
        auto bank = std::make_shared<TBank>();
        ASSERT_TRUE(SavePixmapPNG(*pixmap, std::make_shared<TBankStream>(bank), 6));
        auto loaded = LoadPixmapFrom(bank);
        ASSERT_TRUE(loaded) << "format " << c.format;
        EXPECT_EQ(loaded->format, c.loadedFormat);
        for (int32_t y = 0; y < pixmap->height; ++y) {
            for (int32_t x = 0; x < pixmap->width; ++x) {
                EXPECT_EQ(loaded->ReadPixel(x, y), pixmap->ReadPixel(x, y))
                    << "format " << c.format << " at " << x << ", " << y;
            }
        }
    }
}

TEST(PngWriter, CompressionLevelIsClampedToZlibsRange) {
    auto pixmap = Gradient(FormatRGB888, 64, 64);
    const std::string none = Saved(*pixmap, 0);
    const std::string best = Saved(*pixmap, 9);
    ASSERT_FALSE(none.empty());
    EXPECT_LT(best.size(), none.size());
    EXPECT_EQ(Saved(*pixmap, -7), none);
    EXPECT_EQ(Saved(*pixmap, 42), best);
}

TEST(PngWriter, FailuresAreReported) {
    auto pixmap = Gradient(FormatRGBA8888);
    EXPECT_FALSE(SavePixmapPNG(*pixmap, u"/nonexistent/directory/out.png", 6));
    EXPECT_FALSE(SavePixmapPNG(*TPixmap::Create(0, 3, FormatRGB888, 4),
                               std::make_shared<TBankStream>(nullptr), 6));

    // A destination that fills up part-way.
    std::array<uint8_t, 40> small{};
    EXPECT_FALSE(SavePixmapPNG(
        *pixmap, std::make_shared<TRamStream>(small.data(), small.size(), false, true), 6));
}
