#include "graphics/presentation.h"

#include <gtest/gtest.h>

TEST(PresentationTest, TheGamesSurfaceIsShownAtTheLargestWholeScaleThatFitsCentred) {
    // The game asks for 800 x 600 and draws on 160 x 120 units.
    const struct {
        int32_t drawableWidth;
        int32_t drawableHeight;
        TPixelRect picture;
    } cases[] = {
        {800, 600, {0, 0, 800, 600}},       // as asked: nothing changes
        {1280, 720, {160, 0, 960, 720}},    // scale 6
        {1920, 1080, {240, 0, 1440, 1080}}, // scale 9
        {3840, 2160, {480, 0, 2880, 2160}}, // scale 18
        {1000, 700, {100, 50, 800, 600}},   // resized: scale 5
        {1600, 1200, {0, 0, 1600, 1200}},   // high density: scale 10
        {160, 120, {0, 0, 160, 120}},       // the smallest window: scale 1
        {500, 1000, {10, 320, 480, 360}},   // tall: scale 3
    };
    for (const auto& c : cases) {
        const TPresentation shown =
            PresentationFor(800, 600, 160.0, 120.0, c.drawableWidth, c.drawableHeight);
        EXPECT_EQ(shown.picture, c.picture) << c.drawableWidth << " x " << c.drawableHeight;
        EXPECT_DOUBLE_EQ(shown.scaleX, c.picture.w / 800.0);
        EXPECT_DOUBLE_EQ(shown.scaleY, c.picture.h / 600.0);
    }
}

TEST(PresentationTest, WithoutALogicalSizeTheWindowItselfIsScaledAndFittedWhenTooSmall) {
    EXPECT_EQ(PresentationFor(320, 200, 0, 0, 1280, 720).picture, (TPixelRect{160, 60, 960, 600}));
    // Not even one pixel per unit fits: the window is fitted whole.
    const TPresentation shrunk = PresentationFor(800, 600, 0, 0, 400, 400);
    EXPECT_EQ(shrunk.picture, (TPixelRect{0, 50, 400, 300}));
    EXPECT_DOUBLE_EQ(shrunk.scaleX, 0.5);
    // A logical size that is not a whole fraction of the window still keeps
    // the window as it is at the size asked for.
    EXPECT_EQ(PresentationFor(800, 600, 300.0, 200.0, 800, 600).picture,
              (TPixelRect{0, 0, 800, 600}));
}

TEST(PresentationTest, WindowRectanglesMapIntoThePictureAndTheBarsSurroundIt) {
    const TPresentation shown = PresentationFor(800, 600, 160.0, 120.0, 1280, 720);
    EXPECT_EQ(shown.Map(0, 0, 800, 600), shown.picture);
    EXPECT_EQ(shown.Map(100, 50, 10, 10), (TPixelRect{280, 60, 12, 12}));
    // Neighbours still meet after rounding.
    const TPixelRect left = shown.Map(0, 0, 3, 3);
    const TPixelRect right = shown.Map(3, 0, 3, 3);
    EXPECT_EQ(left.x + left.w, right.x);

    const auto bars = shown.Bars();
    EXPECT_EQ(bars[0].h, 0); // nothing above
    EXPECT_EQ(bars[1].h, 0); // nor below
    EXPECT_EQ(bars[2], (TPixelRect{0, 0, 160, 720}));
    EXPECT_EQ(bars[3], (TPixelRect{1120, 0, 160, 720}));
    for (const TPixelRect& bar : PresentationFor(800, 600, 160.0, 120.0, 800, 600).Bars()) {
        EXPECT_TRUE(bar.w <= 0 || bar.h <= 0);
    }
}
