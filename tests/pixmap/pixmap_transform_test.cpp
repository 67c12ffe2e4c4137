#include "pixmap/pixmap_transform.h"

#include <gtest/gtest.h>

TEST(ResizePixmap, InterpolatesBetweenAlignedSampleCentres) {
    // Sample positions -0.25, 0.25, 0.75, 1.25 over (black, white).
    auto source = TPixmap::Create(2, 1, FormatRGB888, 4);
    source->WritePixel(0, 0, 0xFF000000);
    source->WritePixel(1, 0, 0xFFFFFFFF);
    auto wide = ResizePixmap(*source, 4, 1);
    EXPECT_EQ(wide->format, FormatRGB888);
    EXPECT_EQ(wide->ReadPixel(0, 0), 0xFF000000u);
    EXPECT_EQ(wide->ReadPixel(1, 0), 0xFF404040u);
    EXPECT_EQ(wide->ReadPixel(2, 0), 0xFFBFBFBFu);
    EXPECT_EQ(wide->ReadPixel(3, 0), 0xFFFFFFFFu);

    // Halving averages pairs, alpha included; an equal size copies.
    auto square = TPixmap::Create(2, 2, FormatRGBA8888, 4);
    square->WritePixel(0, 0, 0x00000000);
    square->WritePixel(1, 0, 0xFF0000FF);
    square->WritePixel(0, 1, 0xFF00FF00);
    square->WritePixel(1, 1, 0x00FF0000);
    EXPECT_EQ(ResizePixmap(*square, 1, 1)->ReadPixel(0, 0), 0x80404040u);
    auto same = ResizePixmap(*square, 2, 2);
    EXPECT_EQ(same->ReadPixel(1, 0), 0xFF0000FFu);
    EXPECT_EQ(same->ReadPixel(0, 1), 0xFF00FF00u);

    auto empty = TPixmap::Create(0, 0, FormatRGBA8888, 4);
    EXPECT_EQ(ResizePixmap(*empty, 2, 2)->ReadPixel(1, 1), 0u);
}

TEST(ApplyKeyColour, KeyPixelsTurnTransparentWithTheirNeighboursColour) {
    // Magenta is the key; the centre pixel has two non-key neighbours.
    auto source = TPixmap::Create(3, 3, FormatRGB888, 4);
    source->ClearPixels(0xFFFF00FF);
    source->WritePixel(0, 0, 0xFF102030);
    source->WritePixel(2, 2, 0xFF305070);
    auto keyed = ApplyKeyColour(*source, 0xFF, 0x00, 0xFF);
    EXPECT_EQ(keyed->format, FormatRGBA8888);
    EXPECT_EQ(keyed->ReadPixel(0, 0), 0xFF102030u);
    EXPECT_EQ(keyed->ReadPixel(1, 1), 0x00203850u);
    EXPECT_EQ(keyed->ReadPixel(1, 0), 0x00102030u);
    EXPECT_EQ(keyed->ReadPixel(2, 0), 0x00000000u); // no non-key neighbour

    // A pixmap with alpha comes out opaque wherever it is not the key.
    auto translucent = TPixmap::Create(1, 1, FormatRGBA8888, 4);
    translucent->WritePixel(0, 0, 0x10ABCDEF);
    EXPECT_EQ(ApplyKeyColour(*translucent, 0, 0, 0)->ReadPixel(0, 0), 0xFFABCDEFu);
}

TEST(FlipPixmap, ReversesColumnsOrRows) {
    auto source = TPixmap::Create(3, 2, FormatBGR888, 4);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            source->WritePixel(x, y, 0xFF000000 | (y << 8) | x);
        }
    }
    auto mirrored = FlipPixmapHorizontally(*source);
    auto upsideDown = FlipPixmapVertically(*source);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(mirrored->ReadPixel(2 - x, y), source->ReadPixel(x, y));
            EXPECT_EQ(upsideDown->ReadPixel(x, 1 - y), source->ReadPixel(x, y));
        }
    }
}

TEST(ResamplePixmapNearest, ScalingByWholeFactorsComesBackExactly) {
    auto source = TPixmap::Create(3, 2, FormatBGR888, 4);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            source->WritePixel(x, y, 0xFF000000 | (y << 8) | x);
        }
    }
    const auto large = ResamplePixmapNearest(*source, 18, 12);
    for (int32_t y = 0; y < 12; ++y) {
        for (int32_t x = 0; x < 18; ++x) {
            ASSERT_EQ(large->ReadPixel(x, y), source->ReadPixel(x / 6, y / 6)) << x << "," << y;
        }
    }
    const auto back = ResamplePixmapNearest(*large, 3, 2);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(back->ReadPixel(x, y), source->ReadPixel(x, y));
        }
    }
    EXPECT_EQ(ResamplePixmapNearest(*source, 0, 5)->width, 0);
}
