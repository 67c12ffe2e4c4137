// Images: loading single pictures and strips, handles, and when their driver
// frames are made, with a driver that only records.

#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_drawing.h"
#include "graphics/image_loading.h"
#include "recorded_window_test.h"

#include <gtest/gtest.h>

namespace {

// A picture whose pixel (x, y) reads 0xFF00xxyy.
std::shared_ptr<TPixmap> NumberedPixmap(int32_t width, int32_t height) {
    auto pixmap = CreatePixmap(width, height, FormatRGB888);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            pixmap->WritePixel(x, y, 0xFF000000u | static_cast<uint32_t>(x << 8 | y));
        }
    }
    return pixmap;
}

class ImageTest : public RecordedWindowTest {
protected:
    void TearDown() override {
        RecordedWindowTest::TearDown();
        SetAutoCentre(false);
        SetMaskColour(0, 0, 0);
    }
};

} // namespace

TEST_F(ImageTest, ASinglePictureKeepsThePixmapItWasGiven) {
    const auto pixmap = NumberedPixmap(40, 30);
    const auto image = LoadImageFile(pixmap, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(ImageWidth(*image), 40);
    EXPECT_EQ(ImageHeight(*image), 30);
    ASSERT_EQ(image->CountFrames(), 1);
    EXPECT_EQ(image->pixmaps[0], pixmap);
    EXPECT_EQ(image->handle_x, 0);
    EXPECT_EQ(image->handle_y, 0);

    EXPECT_EQ(LoadImageFile(std::shared_ptr<TPixmap>(), 0), nullptr);
    EXPECT_EQ(LoadImageFile(u"/no/such/picture.png", 0), nullptr);
    EXPECT_EQ(AutoImageFlags(), ImageKeyColour | ImageSmooth);
    EXPECT_EQ(LoadImageFile(pixmap, -1)->flags, AutoImageFlags());
}

TEST_F(ImageTest, KeyColouringMakesTheMaskColourTransparentInACopy) {
    auto pixmap = CreatePixmap(2, 1, FormatRGB888);
    pixmap->WritePixel(0, 0, 0xFFFF00FF);
    pixmap->WritePixel(1, 0, 0xFF102030);
    SetMaskColour(255, 0, 255);
    const auto image = LoadImageFile(pixmap, ImageKeyColour);
    ASSERT_NE(image->pixmaps[0], pixmap);
    EXPECT_EQ(image->pixmaps[0]->ReadPixel(0, 0) >> 24, 0u);
    EXPECT_EQ(image->pixmaps[0]->ReadPixel(1, 0), 0xFF102030u);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0xFFFF00FFu);
    // A picture with its own alpha is kept as it is.
    const auto rgba = pixmap->Convert(FormatRGBA8888);
    EXPECT_EQ(LoadImageFile(rgba, ImageKeyColour)->pixmaps[0], rgba);
}

TEST_F(ImageTest, AStripIsCutIntoCellsLeftToRightThenTopToBottom) {
    // Six 6 x 11 cars stacked in one column.
    const auto column = NumberedPixmap(6, 66);
    const auto cars = LoadImageStrip(column, 6, 11, 0, 6, 0);
    ASSERT_TRUE(cars);
    ASSERT_EQ(cars->CountFrames(), 6);
    EXPECT_EQ(cars->width, 6);
    EXPECT_EQ(cars->height, 11);
    for (int32_t frame = 0; frame < 6; ++frame) {
        EXPECT_EQ(cars->pixmaps[frame]->ReadPixel(5, 0), column->ReadPixel(5, frame * 11));
        EXPECT_EQ(cars->pixmaps[frame]->ReadPixel(0, 10), column->ReadPixel(0, frame * 11 + 10));
    }
    EXPECT_EQ(LoadImageStrip(column, 6, 11, 0, 7, 0), nullptr);
    EXPECT_EQ(LoadImageStrip(column, 6, 11, 1, 6, 0), nullptr);

    // Six 8-pixel cells to a row: cell 7 is the second of the second row.
    const auto sheet = NumberedPixmap(48, 16);
    const auto seventh = LoadImageStrip(sheet, 8, 8, 7, 1, 0);
    ASSERT_TRUE(seventh);
    EXPECT_EQ(seventh->pixmaps[0]->ReadPixel(0, 0), sheet->ReadPixel(8, 8));
    // The cells are copies: the picture can change without changing them.
    sheet->WritePixel(8, 8, 0);
    EXPECT_NE(seventh->pixmaps[0]->ReadPixel(0, 0), 0u);

    // Cell sizes that cut nothing.
    EXPECT_EQ(LoadImageStrip(sheet, 0, 8, 0, 1, 0), nullptr);
    EXPECT_EQ(LoadImageStrip(sheet, 8, -8, 0, 1, 0), nullptr);
    EXPECT_EQ(LoadImageStrip(sheet, 8, 8, -1, 1, 0), nullptr);
    EXPECT_EQ(LoadImageStrip(sheet, 8, 8, 0, 0, 0), nullptr);
}

TEST_F(ImageTest, TheHandleLandsOnTheDrawingPosition) {
    const auto car = LoadImageStrip(NumberedPixmap(6, 11), 6, 11, 0, 1, 0);
    CentreImageOffset(*car);
    EXPECT_EQ(car->handle_x, 3.0f);
    EXPECT_EQ(car->handle_y, 5.5f);
    SetDrawOrigin(100, 200);
    SetDrawHandle(50, 50); // not used by images
    DrawImageFrame(*car, 10, 20, 0);
    SetImageOffset(*car, 0, 0);
    DrawImageFrame(*car, 10, 20, 0);
    EXPECT_EQ(driver->calls,
              (std::vector<std::string>{"CreateFrame 6 11 0",
                                        "Frame 1 Draw -3 -5.5 3 5.5 110 220 0 0 6 11",
                                        "Frame 1 Draw -0 -0 6 11 110 220 0 0 6 11"}));

    SetAutoCentre(true);
    const auto centred = LoadImageFile(NumberedPixmap(5, 4), 0);
    EXPECT_EQ(centred->handle_x, 2.5f);
    EXPECT_EQ(centred->handle_y, 2.0f);
}

TEST_F(ImageTest, AFrameIsMadeOnItsFirstDrawAndAgainForNewGraphics) {
    const auto strip = LoadImageStrip(NumberedPixmap(8, 16), 8, 8, 0, 2, 0);
    DrawImageFrame(*strip, 0, 0, 1);
    DrawImageFrame(*strip, 0, 0, 1);
    EXPECT_EQ(driver->framesMade, 1);
    EXPECT_EQ(strip->seqs[1], ContextGeneration());
    EXPECT_EQ(strip->frames[0], nullptr);

    // Frames outside the image draw nothing.
    DrawImageFrame(*strip, 0, 0, 2);
    DrawImageFrame(*strip, 0, 0, -1);
    EXPECT_EQ(driver->framesMade, 1);

    // Locking for writing and storing a pixmap both drop the frame.
    strip->Lock(1, true, true);
    DrawImageFrame(*strip, 0, 0, 1);
    EXPECT_EQ(driver->framesMade, 2);
    strip->SetPixmap(1, NumberedPixmap(8, 8));
    DrawImageFrame(*strip, 0, 0, 1);
    EXPECT_EQ(driver->framesMade, 3);

    ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
    DrawImageFrame(*strip, 0, 0, 1);
    EXPECT_EQ(driver->framesMade, 4);
    EXPECT_EQ(strip->seqs[1], ContextGeneration());

    // Without graphics nothing is made or drawn.
    EndGraphics();
    DrawImageFrame(*strip, 0, 0, 0);
    EXPECT_EQ(strip->Frame(0), nullptr);
    EXPECT_EQ(driver->framesMade, 4);
}

TEST_F(ImageTest, LockingAFrameWithoutPixmapGivesABlankOne) {
    const auto image = TImage::Create(3, 2, 1, 0, 0, 0, 0);
    const auto pixmap = image->Lock(0, true, false);
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->format, FormatRGBA8888);
    EXPECT_EQ(pixmap->width, 3);
    EXPECT_EQ(pixmap->ReadPixel(2, 1), 0u);
    EXPECT_EQ(image->Lock(0, true, false), pixmap);
    EXPECT_EQ(image->Lock(1, true, false), nullptr);
}
