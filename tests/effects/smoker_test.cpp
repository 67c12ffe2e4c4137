// Smoke puffs: where they start, when they step, and how they are drawn.

#include "effects/smoker.h"
#include "game/globals.h"
#include "game/program_directory.h"
#include "graphics/draw2d.h"
#include "graphics/fake_draw2d_driver.h"
#include "graphics/graphics_context.h"
#include "pixmap/png_writer.h"
#include "util/utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

namespace {

class SmokerTest : public ::testing::Test {
protected:
    void SetUp() override {
        tSmoker::SmokeImage = nullptr;
        FrameCount = 0;
    }
    void TearDown() override {
        tSmoker::SmokeImage = nullptr;
        FrameCount = 0;
        ViewOffsetX = 0;
        ViewOffsetY = 0;
    }

    // Four 8 x 8 cells side by side, as the game ships it.
    void WriteSmokePicture() const {
        std::filesystem::create_directories(program.Path("img"));
        auto pixmap = CreatePixmap(32, 8, FormatRGBA8888);
        for (int32_t x = 0; x < 32; ++x) {
            for (int32_t y = 0; y < 8; ++y) {
                pixmap->WritePixel(x, y, 0xFF000000u | static_cast<uint32_t>(x / 8 * 0x40));
            }
        }
        ASSERT_TRUE(SavePixmapPNG(*pixmap, Utf8ToText(program.Path("img/smk.png").string()), 6));
    }

    TScratchProgramDirectory program;
};

} // namespace

TEST_F(SmokerTest, APuffStartsTruncatedAtTheCurrentFrameAndLoadsThePictureOnce) {
    WriteSmokePicture();
    FrameCount = 12;
    const auto puff = tSmoker::Create(100.9f, -3.7f);
    EXPECT_EQ(puff->x, 100);
    EXPECT_EQ(puff->y, -3);
    EXPECT_EQ(puff->start, 12);
    EXPECT_EQ(puff->frame, 0);
    EXPECT_GE(puff->interval, 5);
    EXPECT_LE(puff->interval, 20);

    const auto image = tSmoker::SmokeImage;
    ASSERT_TRUE(image);
    EXPECT_EQ(image->CountFrames(), 4);
    EXPECT_EQ(image->width, 8);
    EXPECT_EQ(image->height, 8);
    EXPECT_EQ(image->handle_x, 4.0f);
    EXPECT_EQ(image->handle_y, 4.0f);
    EXPECT_EQ(image->pixmaps[3]->ReadPixel(0, 0), 0xFF0000C0u);

    // Every later puff shares it, even once the file is gone.
    std::filesystem::remove(program.Path("img/smk.png"));
    tSmoker::Create(0, 0);
    EXPECT_EQ(tSmoker::SmokeImage, image);
}

TEST_F(SmokerTest, APuffStepsOnMultiplesOfItsIntervalAndOnlyThenFollowsItsCar) {
    FrameCount = 12;
    const auto puff = tSmoker::Create(50, 60);
    puff->interval = 5;
    std::vector<int32_t> frames;
    for (FrameCount = 13; FrameCount <= 30; ++FrameCount) {
        const bool stepped = puff->update(FrameCount, -FrameCount);
        EXPECT_EQ(stepped, FrameCount % 5 == 0) << FrameCount;
        if (FrameCount == 14) {
            EXPECT_EQ(std::pair(puff->x, puff->y), std::pair(50, 60));
        }
        if (stepped) {
            frames.push_back(puff->frame);
            EXPECT_EQ(std::pair(puff->x, puff->y), std::pair(FrameCount, -FrameCount));
        }
    }
    // First at 15, not five frames after the puff was made; back to 0 on the
    // fourth step.
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 3, 0}));

    // An interval that is not positive never steps rather than dividing by 0.
    puff->interval = 0;
    EXPECT_FALSE(puff->update(1, 1));
}

TEST_F(SmokerTest, APuffIsDrawnAtDoubleSizeUnderTheCamera) {
    const auto driver = std::make_shared<TFakeDraw2DDriver>();
    SelectGraphicsDriver(driver, ContextDoubleBuffer);
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
    ViewOffsetX = -20;
    ViewOffsetY = 30;

    // Without its picture a puff draws nothing, and the next one looks again.
    const auto blind = tSmoker::Create(0, 0);
    driver->calls.clear();
    blind->draw();
    EXPECT_TRUE(driver->calls.empty());
    WriteSmokePicture();

    const auto puff = tSmoker::Create(100, 50);
    puff->frame = 2;
    driver->calls.clear();
    puff->draw();
    EXPECT_EQ(driver->calls, (std::vector<std::string>{"SetTransform 2 -0 0 2", "CreateFrame 8 8 0",
                                                       "Frame 1 Draw -4 -4 4 4 80 80 0 0 8 8",
                                                       "SetTransform 1 -0 0 1"}));
    float originX = 0;
    float originY = 0;
    GetDrawOrigin(originX, originY);
    EXPECT_EQ(std::pair(originX, originY), std::pair(-20.0f, 30.0f));
    EndGraphics();
    SelectGraphicsDriver(nullptr, 0);
}
