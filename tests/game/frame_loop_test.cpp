// Frames of play on a small hand-made scene: every cell holds a plain road
// tile, drawing goes to a recording driver and keys come from a script.

#include "actors/car.h"
#include "actors/fake_car.h"
#include "actors/ped.h"
#include "audio/channel.h"
#include "fake_system_driver.h"
#include "game/game_program.h"
#include "game/globals.h"
#include "game/pause.h"
#include "golden_recorders.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_loading.h"
#include "pixmap/pixel_format.h"
#include "pixmap/pixmap.h"
#include "system/input_state.h"
#include "system/key_codes.h"
#include "util/random.h"
#include "world/city.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// A channel that remembers every rate it was given and every pause.
class TRateRecordingChannel : public TChannel {
public:
    void SetRate(float rate) override { rates.push_back(rate); }
    void SetPaused(int32_t paused) override { pauses.push_back(paused); }
    std::vector<float> rates;
    std::vector<int32_t> pauses;
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
        drawing->frameEnded = nullptr;
        CopSpawnChance = 2;
        EndGraphics();
        SelectGraphicsDriver(nullptr, 0);
        SetSystemDriver(nullptr);
    }

    // Each presented frame, counted from 1, gets the key events of its step
    // of the script once it is presented.
    void AfterFrames(std::vector<std::vector<std::pair<int32_t, int32_t>>> script) {
        drawing->frameEnded = [this, script] {
            if (presented < script.size()) {
                for (const auto& [event, key] : script[presented]) {
                    keys->Queue(event, key);
                }
            }
            ++presented;
        };
    }

    int Count(const std::string& call) const {
        return static_cast<int>(std::count(drawing->calls.begin(), drawing->calls.end(), call));
    }

    bool Logged(const std::string& call) const {
        return std::find(drawing->calls.begin(), drawing->calls.end(), call) !=
               drawing->calls.end();
    }

    std::shared_ptr<TFakeSystemDriver> keys = std::make_shared<TFakeSystemDriver>();
    size_t presented = 0;
    std::shared_ptr<TFrameEndingDraw2DDriver> drawing =
        std::make_shared<TFrameEndingDraw2DDriver>();
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

TEST_F(FrameLoopTest, PPausesOnTheFrameJustDrawnUntilPressedAgain) {
    PlayerCar->velocityY = 1.0f;
    keys->Queue(EventKeyDown, KeyP);
    int32_t seedAtThePause = 0;
    float yAtThePause = 0;
    drawing->frameEnded = [&] {
        if (++presented == 1) {
            seedAtThePause = RandomSeed();
            yAtThePause = PlayerCar->positionY;
            keys->Queue(EventKeyUp, KeyP);
        } else {
            EXPECT_EQ(RandomSeed(), seedAtThePause);
            EXPECT_EQ(PlayerCar->positionY, yAtThePause) << "nothing moves";
            EXPECT_EQ(FrameCount, 1) << "nothing is counted";
            if (presented == 4) {
                keys->Queue(EventKeyDown, KeyP);
            }
        }
    };
    RunFrame();
    EXPECT_EQ(presented, 4u) << "the frame of play, then three passes paused";
    EXPECT_EQ(engine->pauses, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(Count("DrawPixmap 0 0"), 3) << "the frame read back, shown by every pass";
    // The frame is dimmed, and the colour and alpha of play given back after
    // each pass: the opening messages left white.
    EXPECT_EQ(Count("SetAlpha 0.6"), 3);
    const std::vector<std::string> lastCalls(drawing->calls.end() - 3, drawing->calls.end());
    EXPECT_EQ(lastCalls, (std::vector<std::string>{"SetColor 255 255 255", "SetAlpha 1", "Flip 0"}))
        << "unpaced";

    drawing->frameEnded = nullptr;
    RunFrame();
    EXPECT_EQ(FrameCount, 2);
    EXPECT_NE(PlayerCar->positionY, yAtThePause) << "and then it goes on";
}

TEST_F(FrameLoopTest, PauseKeyResumesAPauseOfPAndBothTogetherAreOnePress) {
    keys->Queue(EventKeyDown, KeyP);
    keys->Queue(EventKeyDown, KeyPause);
    AfterFrames({{{EventKeyUp, KeyP}, {EventKeyUp, KeyPause}}, {{EventKeyDown, KeyPause}}});
    RunFrame();
    EXPECT_EQ(presented, 2u) << "the frame, one pass paused, and Pause resumed it";
    EXPECT_FALSE(TakePausePress()) << "no press left over";
}

TEST_F(FrameLoopTest, APausedGameStaysPausedWhileTheWindowIsInTheBackground) {
    keys->Queue(EventKeyDown, KeyP);
    // Leaving the window forgets every key, the pause's among them.
    AfterFrames({{{EventAppSuspend, 0}}, {}, {{EventAppResume, 0}}, {}, {{EventKeyDown, KeyP}}});
    RunFrame();
    EXPECT_EQ(presented, 5u);
    EXPECT_EQ(FrameCount, 1);
}

TEST_F(FrameLoopTest, EscapeWhilePausedEndsTheProgram) {
    EXPECT_EXIT(
        {
            keys->Queue(EventKeyDown, KeyP);
            AfterFrames({{{EventKeyDown, KeyEscape}}});
            RunFrame();
            std::exit(1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameLoopTest, MAndCDoNothingWhilePaused) {
    keys->Queue(EventKeyDown, KeyP);
    AfterFrames({{{EventKeyUp, KeyP}, {EventKeyDown, KeyM}, {EventKeyDown, KeyC}},
                 {},
                 {{EventKeyDown, KeyP}}});
    RunFrame();
    EXPECT_EQ(CopList->Count(), 0);
    EXPECT_FALSE(Logged("SetColor 0 0 255")) << "no minimap with its blue start";
    RunFrame();
    EXPECT_EQ(CopList->Count(), 1) << "the C pressed while paused calls its police car after";
}
