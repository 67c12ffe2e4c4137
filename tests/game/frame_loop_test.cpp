// Frames of play on a small hand-made scene: every cell holds a plain road
// tile, drawing goes to a recording driver and keys come from a script.

#include "actors/car.h"
#include "actors/fake_car.h"
#include "actors/ped.h"
#include "audio/channel.h"
#include "fake_draw2d_driver.h"
#include "fake_system_driver.h"
#include "game/game_program.h"
#include "game/globals.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_loading.h"
#include "pixmap/pixel_format.h"
#include "pixmap/pixmap.h"
#include "system/input_state.h"
#include "system/key_codes.h"
#include "world/city.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// A channel that remembers every rate it was given.
class TRateRecordingChannel : public TChannel {
public:
    void SetRate(float rate) override { rates.push_back(rate); }
    std::vector<float> rates;
};

std::shared_ptr<TPixmap> FilledPixmap(int32_t width, int32_t height, uint32_t argb) {
    auto pixmap = CreatePixmap(width, height, FormatRGBA8888);
    pixmap->ClearPixels(argb);
    return pixmap;
}

class FrameLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSystemDriver(keys);
        SelectGraphicsDriver(drawing, ContextDoubleBuffer);
        ASSERT_TRUE(OpenGraphics(800, 600, 0, 0, 0));

        CreateCityGrids();
        const auto road = LoadImageFile(FilledPixmap(64, 64, 0xFF505050), 0);
        for (int32_t x = 0; x < CityWidth; ++x) {
            for (int32_t y = 0; y < CityHeight; ++y) {
                TileImages(x, y) = road;
            }
        }
        StartPoint = {10, 7};
        SewerPoint = {30, 30};
        CarStrip = LoadImageStrip(FilledPixmap(36, 11, 0xFFFF0000), 6, 11, 0, 6, 0);
        PedImage = LoadImageStrip(FilledPixmap(16, 8, 0xFF00FF00), 8, 8, 0, 2, 0);
        ArrowImage = LoadImageFile(FilledPixmap(5, 5, 0xFFFFFF00), 0);
        SewerImage = LoadImageFile(FilledPixmap(16, 16, 0xFF000000), 0);
        CopList = MakeEmptyList<tFakeCar>();
        PedList = MakeEmptyList<tPed>();
        EngineChannel = engine;
        CrashChannel = nullptr;
        FrameCount = 0;
        CopSpawnChance = 0;
        CreatePlayerCar();
        drawing->calls.clear();
    }

    void TearDown() override {
        CopSpawnChance = 2;
        EndGraphics();
        SelectGraphicsDriver(nullptr, 0);
        SetSystemDriver(nullptr);
    }

    bool Logged(const std::string& call) const {
        return std::find(drawing->calls.begin(), drawing->calls.end(), call) !=
               drawing->calls.end();
    }

    std::shared_ptr<TFakeSystemDriver> keys = std::make_shared<TFakeSystemDriver>();
    std::shared_ptr<TFakeDraw2DDriver> drawing = std::make_shared<TFakeDraw2DDriver>();
    std::shared_ptr<TRateRecordingChannel> engine = std::make_shared<TRateRecordingChannel>();
};

} // namespace

TEST_F(FrameLoopTest, ThePlayerStartsAtTheCentreOfTheStartCellUnderTheCamera) {
    EXPECT_EQ(PlayerCar->positionX, 672.0f);
    EXPECT_EQ(PlayerCar->positionY, 480.0f);
    EXPECT_EQ(PlayerCar->positionX + ViewOffsetX, 80.0f);
    EXPECT_EQ(PlayerCar->positionY + ViewOffsetY, 60.0f);
    EXPECT_GE(PlayerCar->Img, 1);
    EXPECT_LE(PlayerCar->Img, 5);
}

TEST_F(FrameLoopTest, TwoPressesOfCBetweenFramesAddOnePoliceCarAtTheCellCentre) {
    keys->Queue(EventKeyDown, KeyC);
    keys->Queue(EventKeyUp, KeyC);
    keys->Queue(EventKeyDown, KeyC);
    keys->Queue(EventKeyUp, KeyC);
    testing::internal::CaptureStdout();
    RunFrame();
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_EQ(CopList->Count(), 1);
    const auto cop = CopList->First();
    EXPECT_EQ(cop->x, 672.0f);
    EXPECT_EQ(cop->y, 480.0f);
    EXPECT_NE(printed.find("created cop!  0"), std::string::npos);
}

TEST_F(FrameLoopTest, EscapeBeforeAFrameEndsTheLoopWithoutDrawingIt) {
    keys->Queue(EventKeyDown, KeyEscape);
    RunFrameLoop();
    EXPECT_EQ(FrameCount, 0);
    EXPECT_TRUE(drawing->calls.empty());
}

TEST_F(FrameLoopTest, LeftControlLetsGoOfTheControlsAndKeepsThePower) {
    PlayerCar->power = 0.02f;
    keys->Queue(EventKeyDown, KeyLeftControl);
    keys->Queue(EventKeyDown, KeyUp);
    RunFrame();
    EXPECT_EQ(PlayerCar->power, 0.02f) << "neither throttle nor decay while held";
    keys->Queue(EventKeyUp, KeyLeftControl);
    RunFrame();
    EXPECT_GT(PlayerCar->power, 0.02f) << "Up acts again once it is released";
}

TEST_F(FrameLoopTest, EngineRateFollowsTheThrottleEveryFourthFrame) {
    for (int frame = 0; frame < 9; ++frame) {
        RunFrame();
    }
    EXPECT_EQ(engine->rates.size(), 3u) << "frames 0, 4 and 8";
    EXPECT_EQ(FrameCount, 9);
}

TEST_F(FrameLoopTest, OpeningMessagesShowUntilFrame119) {
    FrameCount = 119;
    RunFrame();
    EXPECT_TRUE(Logged("SetColor 255 0 0"));
    drawing->calls.clear();
    RunFrame();
    EXPECT_EQ(FrameCount, 121);
    EXPECT_FALSE(Logged("SetColor 255 0 0"));
}

TEST_F(FrameLoopTest, DamageBarIsHalfTheRemainingHealthTruncated) {
    DrawDamageBar(37);
    EXPECT_EQ(drawing->calls,
              (std::vector<std::string>{"SetColor 0 32 0", "DrawRect 0 0 50 5 5 5",
                                        "SetColor 0 255 0", "DrawRect 0 0 31 5 5 5"}));
}

TEST_F(FrameLoopTest, ArrowCirclesTheCentreTowardsTheSewerCornerUnwrapped) {
    SewerPoint = {10, 5}; // corner (640, 320)
    const struct {
        float carX, carY;
        float rotation;
        std::string at;
    } cases[] = {
        {600.0f, 320.0f, 450.0f, " 100 60 "}, // corner straight to the right
        {640.0f, 300.0f, 540.0f, " 80 40 "},  // corner straight below: above the centre
    };
    for (const auto& arrow : cases) {
        drawing->calls.clear();
        SetDrawRotation(arrow.rotation);
        const std::string turned = drawing->calls.at(0);
        drawing->calls.clear();
        DrawSewerArrow(arrow.carX, arrow.carY);
        const auto& calls = drawing->calls;
        const auto drawn = std::find_if(calls.begin(), calls.end(), [](const std::string& call) {
            return call.starts_with("Frame");
        });
        ASSERT_NE(drawn, calls.end());
        EXPECT_NE(drawn->find(arrow.at), std::string::npos) << *drawn;
        EXPECT_NE(std::find(calls.begin(), drawn, turned), drawn) << "rotation " << arrow.rotation;
    }
}
