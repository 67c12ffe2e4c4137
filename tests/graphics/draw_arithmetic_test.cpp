// The arithmetic between the drawing state and what lands on the screen,
// without a window.

#include "graphics/draw_arithmetic.h"
#include "graphics/draw_transform.h"
#include "graphics/oval_outline.h"
#include "graphics/texture_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void ExpectPoint(const TDrawPoint& point, float x, float y) {
    EXPECT_NEAR(point.x, x, 1e-5f);
    EXPECT_NEAR(point.y, y, 1e-5f);
}

} // namespace

TEST(DrawTransformTest, RotationTurnsClockwiseAboutThePlacedPoint) {
    const auto identity = TDrawTransform::FromRotationScale(0, 1, 1);
    ExpectPoint(identity.Apply(4, 2, 10, 10), 14, 12);

    // FillRect(10, 10, 4, 2) at 90 degrees: the local box (0, 0)-(4, 2).
    const auto turned = TDrawTransform::FromRotationScale(90, 1, 1);
    ExpectPoint(turned.Apply(0, 0, 10, 10), 10, 10);
    ExpectPoint(turned.Apply(4, 0, 10, 10), 10, 14);
    ExpectPoint(turned.Apply(4, 2, 10, 10), 8, 14);
    ExpectPoint(turned.Apply(0, 2, 10, 10), 8, 10);
}

TEST(DrawTransformTest, ScaleActsAlongTheLocalAxesBeforeTheRotation) {
    const auto transform = TDrawTransform::FromRotationScale(90, 2, 3);
    // The local x axis is stretched by 2 and then turned to point down.
    ExpectPoint(transform.Apply(1, 0, 0, 0), 0, 2);
    ExpectPoint(transform.Apply(0, 1, 0, 0), -3, 0);
    EXPECT_FLOAT_EQ(transform.iy, -3);
    EXPECT_FLOAT_EQ(transform.jx, 2);
}

TEST(DrawArithmeticTest, ColourAndAlphaBytesAreClamped) {
    EXPECT_EQ(ColourByte(300), 255);
    EXPECT_EQ(ColourByte(-5), 0);
    EXPECT_EQ(ColourByte(128), 128);
    EXPECT_EQ(AlphaByte(1.5f), 255);
    EXPECT_EQ(AlphaByte(-1.0f), 0);
    EXPECT_EQ(AlphaByte(1.0f), 255);
    // Truncated, not rounded.
    EXPECT_EQ(AlphaByte(0.5f), 127);
    EXPECT_EQ(AlphaByte(std::numeric_limits<float>::quiet_NaN()), 255);
}

TEST(DrawArithmeticTest, ClipRectanglesBecomeWholeWindowPixels) {
    // 160 x 120 units on an 800 x 600 window: 0.2 units per pixel.
    const float scale = 160.0f / 800.0f;
    EXPECT_EQ(ClipRectToPixels(0, 0, 160, 120, scale, scale), (TPixelRect{0, 0, 800, 600}));
    EXPECT_EQ(ClipRectToPixels(5, 3, 1, 1, scale, scale), (TPixelRect{25, 15, 5, 5}));
    EXPECT_EQ(ClipRectToPixels(7, 9, 31, 17, 1.0f, 1.0f), (TPixelRect{7, 9, 31, 17}));
    // Edges are floored, so a fractional edge never rounds outward.
    EXPECT_EQ(ClipRectToPixels(1, 1, 2, 2, 2.0f, 2.0f), (TPixelRect{0, 0, 1, 1}));
    EXPECT_EQ(ClipRectToPixels(-3, 0, 2, 1, 2.0f, 1.0f), (TPixelRect{-2, 0, 1, 1}));
}

TEST(OvalOutlineTest, PointsRunRoundTheBoxFromItsRightMostPoint) {
    const auto points = OvalOutline(0, 0, 40, 20);
    // Half sizes 20 and 10: 30 points, down to a multiple of 4.
    ASSERT_EQ(points.size(), 28u);
    EXPECT_NEAR(points[0].x, 40, 1e-4);
    EXPECT_NEAR(points[0].y, 10, 1e-4);
    EXPECT_NEAR(points[7].x, 20, 1e-4); // a quarter turn: the top
    EXPECT_NEAR(points[7].y, 0, 1e-4);
    EXPECT_NEAR(points[14].x, 0, 1e-4);
    EXPECT_NEAR(points[21].y, 20, 1e-4);
    for (const auto& point : points) {
        const float dx = (point.x - 20) / 20;
        const float dy = (point.y - 10) / 10;
        EXPECT_NEAR(dx * dx + dy * dy, 1.0f, 1e-4f);
    }
    EXPECT_EQ(OvalOutline(0, 0, 2, 2).size(), 12u); // small ovals keep 12
    EXPECT_EQ(OvalOutline(9, 9, 0, 0).size(), 12u); // inverted boxes too
}

TEST(TextureLayoutTest, SidesArePowersOfTwo) {
    EXPECT_EQ(TextureSide(0), 1);
    EXPECT_EQ(TextureSide(1), 1);
    EXPECT_EQ(TextureSide(6), 8);
    EXPECT_EQ(TextureSide(40), 64);
    EXPECT_EQ(TextureSide(64), 64);
    EXPECT_EQ(TextureSide(65), 128);

    int32_t w = 8;
    int32_t h = 2;
    NextMipmapSize(w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(4, 1));
    NextMipmapSize(w, h);
    NextMipmapSize(w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(1, 1));
}

TEST(TextureLayoutTest, APictureIsPaddedWithItsLastColumnAndRowRepeatedOnce) {
    auto picture = CreatePixmap(40, 40, FormatRGB888);
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 40; ++x) {
            picture->WritePixel(x, y, 0xFF000000u | static_cast<uint32_t>(x << 8 | y));
        }
    }
    const auto texture = TexturePixmap(picture, 64, 64);
    ASSERT_EQ(texture->width, 64);
    ASSERT_EQ(texture->height, 64);
    EXPECT_EQ(texture->format, FormatRGBA8888);
    EXPECT_EQ(texture->ReadPixel(17, 23), picture->ReadPixel(17, 23));
    for (int32_t i = 0; i < 40; ++i) {
        EXPECT_EQ(texture->ReadPixel(40, i), picture->ReadPixel(39, i)) << i;
        EXPECT_EQ(texture->ReadPixel(i, 40), picture->ReadPixel(i, 39)) << i;
    }
    EXPECT_EQ(texture->ReadPixel(40, 40), picture->ReadPixel(39, 39));
    // Beyond that, nothing is ever sampled: it is left transparent.
    EXPECT_EQ(texture->ReadPixel(41, 0), 0u);
    EXPECT_EQ(texture->ReadPixel(63, 63), 0u);
    EXPECT_EQ(picture->format, FormatRGB888);

    // A picture that fills its texture is only converted when it must be.
    const auto exact = CreatePixmap(8, 4, FormatRGBA8888);
    EXPECT_EQ(TexturePixmap(exact, 8, 4), exact);
    const auto converted = TexturePixmap(picture, 40, 40);
    EXPECT_EQ(converted->format, FormatRGBA8888);
    EXPECT_EQ(converted->ReadPixel(39, 39), picture->ReadPixel(39, 39));

    // Padding in one direction only.
    auto wide = CreatePixmap(4, 3, FormatRGBA8888);
    wide->ClearPixels(0xFF123456);
    const auto padded = TexturePixmap(wide, 4, 4);
    EXPECT_EQ(padded->ReadPixel(3, 3), 0xFF123456u);
}
