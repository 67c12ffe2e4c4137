// What the 2D drawing layer really draws: rendered into the game's 800 x 600
// window on a real X display (Xvfb in the test script) and read back from
// the frame being built with GrabPixmap.

#include "graphics/blend_mode.h"
#include "graphics/default_font_bitmap.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_drawing.h"
#include "graphics/image_loading.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "graphics/native/gl_image_frame.h"
#include "graphics/text_drawing.h"
#include "system/program_startup.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

namespace {

constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Green = 0x00FF00;
constexpr uint32_t Blue = 0x0000FF;

struct TRect {
    int32_t x0, y0, x1, y1; // window pixels, x1 and y1 excluded

    bool Contains(int32_t x, int32_t y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

// The colour without alpha: the window has no alpha bits.
uint32_t Colour(const TPixmap& shot, int32_t x, int32_t y) {
    return shot.ReadPixel(x, y) & 0xFFFFFF;
}

// The pixels of exactly this rectangle have the colour, and no others do.
void ExpectOnly(const TPixmap& shot, const TRect& rect, uint32_t colour) {
    int32_t wrong = 0;
    for (int32_t y = 0; y < shot.height; ++y) {
        for (int32_t x = 0; x < shot.width; ++x) {
            if ((Colour(shot, x, y) == colour) != rect.Contains(x, y) && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                              << Colour(shot, x, y) << ", rectangle " << std::dec << rect.x0 << ", "
                              << rect.y0 << " - " << rect.x1 << ", " << rect.y1;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

// A pixmap of solid colours, one per cell of cellWidth x cellHeight, in rows.
std::shared_ptr<TPixmap> Cells(int32_t columns, int32_t rows, int32_t cellWidth, int32_t cellHeight,
                               std::initializer_list<uint32_t> argb) {
    auto pixmap = CreatePixmap(columns * cellWidth, rows * cellHeight, FormatRGBA8888);
    auto colour = argb.begin();
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t column = 0; column < columns; ++column, ++colour) {
            for (int32_t y = 0; y < cellHeight; ++y) {
                for (int32_t x = 0; x < cellWidth; ++x) {
                    pixmap->WritePixel(column * cellWidth + x, row * cellHeight + y, *colour);
                }
            }
        }
    }
    return pixmap;
}

// The texture name of the image's first frame; 0 before its first draw.
uint32_t TextureName(const TImage& image) {
    const auto frame = std::dynamic_pointer_cast<TGLImageFrame>(image.frames[0]);
    return frame ? frame->name : 0;
}

class Draw2DRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Never skipped: without a display these tests fail, loudly.
        ASSERT_NE(std::getenv("DISPLAY"), nullptr)
            << "no X display: run the display tests under xvfb-run (scripts/test.sh does)";
    }

    void SetUp() override {
        SetProgramTitle(u"Sewer Run drawing test " + IntToText(getpid()));
        InstallDraw2DDriver();
        // No pacing: the tests never wait for frames.
        ASSERT_TRUE(OpenGraphics(800, 600, 0, 0, 0));
        ClearScreen();
    }

    void TearDown() override { EndGraphics(); }

    static std::shared_ptr<TPixmap> Shot() { return GrabPixmap(0, 0, 800, 600); }
};

} // namespace

TEST_F(Draw2DRenderTest, OneLogicalUnitIsFiveByFivePixels) {
    SetLogicalSize(160, 120);
    FillRect(0, 0, 160, 120);
    ExpectOnly(*Shot(), {0, 0, 800, 600}, White);

    ClearScreen();
    SetDrawColour(255, 0, 0);
    FillRect(3, 7, 1, 1);
    ExpectOnly(*Shot(), {15, 35, 20, 40}, Red);
}

TEST_F(Draw2DRenderTest, ShapesAcrossThePicturesEdgeShowTheirInsideAndThoseBeyondItNothing) {
    // Shapes wholly outside the picture are never sent to OpenGL: the test
    // draws right at each edge, where skipping one too many would show.
    SetLogicalSize(160, 120);
    SetDrawColour(255, 0, 0);
    FillRect(-2, 10, 3, 2); // one unit inside on the left
    ExpectOnly(*Shot(), {0, 50, 5, 60}, Red);

    ClearScreen();
    FillRect(159, 118, 5, 5); // the bottom-right unit only
    ExpectOnly(*Shot(), {795, 590, 800, 600}, Red);

    ClearScreen();
    FillRect(-3, 10, 3, 2);  // ends on the left edge
    FillRect(160, 10, 3, 2); // starts on the right edge
    FillRect(10, -2, 3, 2);  // ends on the top edge
    FillRect(10, 120, 3, 2); // starts on the bottom edge
    ExpectOnly(*Shot(), {0, 0, 0, 0}, Red);

    // Turned, its corners lie beyond two edges while it crosses the corner.
    ClearScreen();
    SetDrawRotation(45);
    SetDrawHandle(2, 2);
    FillRect(0, 0, 4, 4);
    const auto shot = Shot();
    EXPECT_EQ(Colour(*shot, 2, 2), Red);
    EXPECT_EQ(Colour(*shot, 20, 20), Black);

    const auto image = LoadImageFile(Cells(1, 1, 8, 8, {0xFF00FF00}), 0);
    ClearScreen();
    SetDrawRotation(0);
    SetDrawHandle(0, 0);
    SetDrawColour(255, 255, 255);
    DrawImageFrame(*image, -6, 116, 0); // 2 units of it inside, at the bottom-left corner
    DrawImageFrame(*image, 160, 0, 0);  // beyond the right edge
    ExpectOnly(*Shot(), {0, 580, 10, 600}, Green);
}

TEST_F(Draw2DRenderTest, RectanglesTurnClockwiseAboutTheirHandleAfterScaling) {
    SetLogicalSize(160, 120);
    SetDrawRotation(90);
    FillRect(10, 10, 4, 2); // corners (10, 10), (10, 14), (8, 14), (8, 10)
    ExpectOnly(*Shot(), {40, 50, 50, 70}, White);

    ClearScreen();
    SetDrawRotation(0);
    SetDrawHandle(2, 1);
    FillRect(20, 20, 4, 2);
    ExpectOnly(*Shot(), {90, 95, 110, 105}, White);

    // Stretched along its own length first, then turned: 8 long, downwards.
    ClearScreen();
    SetDrawHandle(0, 0);
    SetDrawRotationScale(90, 2, 1);
    FillRect(10, 10, 4, 2);
    ExpectOnly(*Shot(), {40, 50, 50, 90}, White);
}

TEST_F(Draw2DRenderTest, ACentredImageLandsCentredAndTurnsAboutItsCentre) {
    SetLogicalSize(160, 120);
    const auto image =
        LoadImageFile(Cells(2, 2, 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}), 0);
    CentreImageOffset(*image);
    DrawImageFrame(*image, 20, 20, 0);
    auto shot = Shot();
    ExpectOnly(*shot, {90, 90, 100, 100}, Red);
    ExpectOnly(*shot, {100, 90, 110, 100}, Green);
    ExpectOnly(*shot, {90, 100, 100, 110}, Blue);
    ExpectOnly(*shot, {100, 100, 110, 110}, White);

    // A quarter turn clockwise takes the top-left corner to the top right.
    ClearScreen();
    SetDrawRotation(90);
    DrawImageFrame(*image, 20, 20, 0);
    shot = Shot();
    ExpectOnly(*shot, {100, 90, 110, 100}, Red);
    ExpectOnly(*shot, {90, 90, 100, 100}, Blue);

    // With the handle at the corner, the corner lands on the position.
    ClearScreen();
    SetDrawRotation(0);
    SetImageOffset(*image, 0, 0);
    SetDrawOrigin(5, 5);
    DrawImageFrame(*image, 20, 20, 0);
    ExpectOnly(*Shot(), {125, 125, 135, 135}, Red);
}

TEST_F(Draw2DRenderTest, StripFramesComeOutInCellOrder) {
    SetLogicalSize(160, 120);
    const auto strip = LoadImageStrip(
        Cells(2, 2, 3, 3, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}), 3, 3, 1, 3, 0);
    ASSERT_TRUE(strip);
    for (int32_t frame = 0; frame < 3; ++frame) {
        DrawImageFrame(*strip, static_cast<float>(10 * frame), 0, frame);
    }
    DrawImageFrame(*strip, 50, 0, 3); // no such frame
    const auto shot = Shot();
    ExpectOnly(*shot, {0, 0, 15, 15}, Green);
    ExpectOnly(*shot, {50, 0, 65, 15}, Blue);
    ExpectOnly(*shot, {100, 0, 115, 15}, White);
}

TEST_F(Draw2DRenderTest, ColourAlphaAndBlendModeCombineTexelsWithTheScreen) {
    const auto white = LoadImageFile(Cells(1, 1, 4, 4, {0xFFFFFFFF}), 0);
    SetDrawColour(255, 128, 0);
    DrawImageFrame(*white, 0, 0, 0);
    EXPECT_EQ(Colour(*Shot(), 1, 1), 0xFF8000u);

    // Half alpha over blue: the colours mix.
    SetBlendMode(BlendTranslucent);
    SetDrawColour(0, 0, 255);
    FillRect(10, 0, 4, 4);
    SetDrawColour(255, 0, 0);
    SetDrawAlpha(0.5f);
    DrawImageFrame(*white, 10, 0, 0);
    const uint32_t mixed = Colour(*Shot(), 11, 1);
    EXPECT_NEAR(static_cast<int>(mixed >> 16), 127, 1);
    EXPECT_EQ(mixed >> 8 & 0xFF, 0u);
    EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 128, 1);

    // Cutout keeps texels from half alpha up and drops the rest.
    SetDrawAlpha(1.0f);
    SetDrawColour(255, 255, 255);
    SetBlendMode(BlendCutout);
    const auto halves = LoadImageFile(Cells(2, 1, 2, 2, {0x80FFFFFF, 0x7FFFFFFF}), 0);
    DrawImageFrame(*halves, 20, 0, 0);
    const auto shot = Shot();
    EXPECT_EQ(Colour(*shot, 20, 0), White);
    EXPECT_EQ(Colour(*shot, 23, 0), Black);

    // The blend mode is cached: the same mode twice reaches OpenGL once.
    SetBlendMode(BlendTranslucent);
    glDisable(GL_BLEND);
    SetBlendMode(BlendTranslucent);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    SetBlendMode(BlendOpaque);
    SetBlendMode(BlendTranslucent);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
}

TEST_F(Draw2DRenderTest, APaddedTextureNeverSamplesItsPadding) {
    const uint32_t brown = 0xFFC86432;
    auto picture = CreatePixmap(40, 40, FormatRGB888);
    picture->ClearPixels(brown);
    const auto image = LoadImageFile(picture, ImageSmooth);
    SetDrawScale(10, 10);
    DrawImageFrame(*image, 0, 0, 0);
    SetDrawScale(1, 1);

    const auto frame = std::dynamic_pointer_cast<TGLImageFrame>(image->frames[0]);
    ASSERT_TRUE(frame);
    EXPECT_FLOAT_EQ(frame->u1, 0.625f);
    EXPECT_FLOAT_EQ(frame->v1, 0.625f);
    glBindTexture(GL_TEXTURE_2D, frame->name);
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 64);
    SetDrawColour(255, 255, 255); // re-binds through the cache on the next draw

    // Linear filtering up to the very last pixel keeps the picture's colour.
    ExpectOnly(*Shot(), {0, 0, 400, 400}, brown & 0xFFFFFF);
}

TEST_F(Draw2DRenderTest, AFrameIsUploadedOnceAndAgainInReopenedGraphics) {
    const auto image = LoadImageFile(Cells(1, 1, 2, 2, {0xFF00FF00}), 0);
    DrawImageFrame(*image, 0, 0, 0);
    const auto first = image->frames[0];
    DrawImageFrame(*image, 0, 0, 0);
    EXPECT_EQ(image->frames[0], first);

    ASSERT_TRUE(OpenGraphics(800, 600, 0, 0, 0));
    DrawImageFrame(*image, 10, 10, 0);
    EXPECT_NE(image->frames[0], first);
    EXPECT_EQ(image->seqs[0], ContextGeneration());
    ExpectOnly(*Shot(), {10, 10, 12, 12}, Green);
}

TEST_F(Draw2DRenderTest, TexturesOfReleasedImagesAreDeletedAtTheNextUpload) {
    auto red = LoadImageFile(Cells(1, 1, 2, 2, {0xFFFF0000}), 0);
    DrawImageFrame(*red, 0, 0, 0); // its texture stays bound
    const uint32_t redName = TextureName(*red);
    red = nullptr;
    EXPECT_TRUE(glIsTexture(redName));
    const auto green = LoadImageFile(Cells(1, 1, 2, 2, {0xFF00FF00}), 0);
    const auto blue = LoadImageFile(Cells(1, 1, 2, 2, {0xFF0000FF}), 0);
    DrawImageFrame(*green, 0, 0, 0);
    EXPECT_FALSE(glIsTexture(redName));
    DrawImageFrame(*blue, 10, 0, 0);
    DrawImageFrame(*green, 20, 0, 0);
    const auto shot = Shot();
    ExpectOnly(*shot, {10, 0, 12, 2}, Blue);
    EXPECT_EQ(Colour(*shot, 0, 0), Green);
    EXPECT_EQ(Colour(*shot, 21, 1), Green);
}

TEST_F(Draw2DRenderTest, TexturesOfClosedGraphicsAreForgottenNotDeleted) {
    auto old = LoadImageFile(Cells(1, 1, 2, 2, {0xFFFF0000}), 0);
    DrawImageFrame(*old, 0, 0, 0);
    const uint32_t oldName = TextureName(*old);

    // The new context numbers its textures afresh: its first may well carry
    // the old one's name, and must not be deleted in the old one's stead.
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 0, 0));
    const auto fresh = LoadImageFile(Cells(1, 1, 2, 2, {0xFF00FF00}), 0);
    DrawImageFrame(*fresh, 0, 0, 0);
    EXPECT_EQ(TextureName(*fresh), oldName) << "names are not reused: the test shows less";
    old = nullptr;
    const auto blue = LoadImageFile(Cells(1, 1, 2, 2, {0xFF0000FF}), 0);
    DrawImageFrame(*blue, 10, 0, 0);
    EXPECT_TRUE(glIsTexture(TextureName(*fresh)));
    DrawImageFrame(*fresh, 20, 0, 0);
    EXPECT_EQ(Colour(*Shot(), 20, 0), Green);
}

TEST_F(Draw2DRenderTest, TextLightsOnlyItsGlyphsAndMatchesTheFont) {
    SetLogicalSize(160, 120);
    SetBlendMode(BlendTranslucent);
    DrawString(u"Hi", 10, 20);
    auto shot = Shot();
    const TRect h{50, 100, 90, 180};
    const TRect i{90, 100, 130, 180};
    int32_t litH = 0;
    int32_t litI = 0;
    int32_t litElsewhere = 0;
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) {
            if (Colour(*shot, x, y) != Black) {
                (h.Contains(x, y) ? litH : i.Contains(x, y) ? litI : litElsewhere) += 1;
            }
        }
    }
    EXPECT_GT(litH, 0);
    EXPECT_GT(litI, 0);
    EXPECT_EQ(litElsewhere, 0);

    // At one unit per pixel, the glyph's pixels are the font's bits.
    ClearScreen();
    SetLogicalSize(800, 600);
    DrawString(u"A", 0, 0);
    shot = Shot();
    for (int32_t row = 0; row < 16; ++row) {
        const uint8_t bits = DefaultFontBitmap()[static_cast<size_t>(row * 96 + (u'A' - 32))];
        for (int32_t bit = 0; bit < 8; ++bit) {
            EXPECT_EQ(Colour(*shot, bit, row), (bits >> bit & 1) != 0 ? White : Black)
                << "pixel " << bit << ", " << row;
        }
    }
}

TEST_F(Draw2DRenderTest, TheClipRectangleCutsDrawingUntilItIsTheWholeWindowAgain) {
    SetLogicalSize(160, 120);
    SetClipRect(10, 10, 20, 10);
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    FillRect(0, 0, 160, 120);
    ExpectOnly(*Shot(), {50, 50, 150, 100}, White);

    SetClipRect(0, 0, 160, 120);
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    FillRect(0, 0, 160, 120);
    ExpectOnly(*Shot(), {0, 0, 800, 600}, White);
}

TEST_F(Draw2DRenderTest, RawPixelsGoAndComeBackTopRowFirst) {
    SetLogicalSize(160, 120); // raw pixels ignore the logical size
    const auto pixels =
        Cells(3, 2, 1, 1, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF808080, 0xFF102030});
    DrawPixmap(*pixels, 10, 20);
    const auto back = GrabPixmap(10, 20, 3, 2);
    ASSERT_EQ(back->width, 3);
    ASSERT_EQ(back->height, 2);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(back->ReadPixel(x, y), pixels->ReadPixel(x, y)) << x << ", " << y;
        }
    }
    EXPECT_EQ(Colour(*Shot(), 9, 20), Black);
}
