#include "actor_scene.h"
#include "actors/road_surface.h"
#include "fake_draw2d_driver.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_drawing.h"
#include "system/key_codes.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

using CarTest = ActorScene;

} // namespace

TEST_F(CarTest, OneFrameOfUpFromRestGivesTheModelsNumbers) {
    TCar& car = *PlayerCar;
    Press(KeyUp);
    car.ControlViaKeys();
    EXPECT_EQ(car.power, 0.001f);
    EXPECT_FLOAT_EQ(car.velocityY, 0.001f);
    EXPECT_EQ(car.velocityX, 0.0f);

    car.UpdatePhysics();
    EXPECT_FLOAT_EQ(car.positionY, 300.001f);
    EXPECT_EQ(car.positionX, 400.0f);
    EXPECT_FLOAT_EQ(car.velocityY, 0.00097f);
    EXPECT_EQ(car.velocityX, 0.0f);
    EXPECT_FLOAT_EQ(car.turnSpeed, 0.000485f);
    EXPECT_FLOAT_EQ(car.pRate, 1.04f);
    // The camera follows the velocity left after the drag.
    EXPECT_FLOAT_EQ(ViewOffsetY, -0.00097f);
}

TEST_F(CarTest, UpWinsOverDownAndThePowerIsCappedBothWays) {
    TCar& car = *PlayerCar;
    Press(KeyUp);
    Press(KeyDown);
    car.ControlViaKeys();
    EXPECT_EQ(car.power, 0.001f);
    EXPECT_GT(car.velocityY, 0.0f);

    for (int i = 0; i < 60; ++i) {
        car.ControlViaKeys();
    }
    EXPECT_EQ(car.power, TCar::MAXPOWER);
    car.UpdatePhysics();
    EXPECT_FLOAT_EQ(car.pRate, 3.0f);

    Release(KeyUp);
    for (int i = 0; i < 120; ++i) {
        car.ControlViaKeys();
    }
    EXPECT_EQ(car.power, -TCar::MAXPOWER);
    car.UpdatePhysics();
    EXPECT_FLOAT_EQ(car.pRate, 3.0f);
}

TEST_F(CarTest, WithoutThrottleThePowerDecaysAndTheCarCoasts) {
    TCar& car = *PlayerCar;
    car.power = 0.04f;
    car.velocityX = 1.0f;
    car.ControlViaKeys();
    EXPECT_FLOAT_EQ(car.power, 0.028f);
    EXPECT_EQ(car.velocityX, 1.0f);
    car.UpdatePhysics();
    EXPECT_FLOAT_EQ(car.velocityX, 0.97f);
    EXPECT_FLOAT_EQ(car.positionX, 401.0f);
}

TEST_F(CarTest, ACarAtRestCannotTurnAfterItsFirstStep) {
    TCar& car = *PlayerCar;
    Press(KeyLeft);
    // Before any physics step the constructed turn speed still acts.
    car.ControlViaKeys();
    EXPECT_FLOAT_EQ(car.angularVelocity, 0.7f);
    car.UpdatePhysics();
    EXPECT_FLOAT_EQ(car.angle, 0.7f);
    EXPECT_EQ(car.turnSpeed, 0.0f);

    car.angularVelocity = 0.0f;
    car.ControlViaKeys();
    EXPECT_EQ(car.angularVelocity, 0.0f);

    // Moving, Left and Right together cancel.
    car.velocityX = 4.0f;
    car.UpdatePhysics();
    EXPECT_EQ(car.turnSpeed, TCar::MAXTURN);
    Press(KeyRight);
    car.ControlViaKeys();
    EXPECT_EQ(car.angularVelocity, 0.0f);
}

TEST_F(CarTest, AHeldTurnSettlesAtFiveTimesTheTurnSpeedPerFrame) {
    TCar& car = *PlayerCar;
    // Fast enough that the drag leaves the turn speed at its cap throughout.
    car.velocityX = 100.0f;
    Press(KeyLeft);
    float step = 0.0f;
    for (int frame = 0; frame < 60; ++frame) {
        const float before = car.angle;
        car.ControlViaKeys();
        car.UpdatePhysics();
        step = car.angle - before;
    }
    EXPECT_EQ(car.turnSpeed, TCar::MAXTURN);
    EXPECT_NEAR(step, 5.0f * TCar::MAXTURN, 1e-4f);
    EXPECT_NEAR(car.angularVelocity, 4.0f * TCar::MAXTURN, 1e-4f) << "after the decay";
}

TEST_F(CarTest, DrawCastsAShadowOfFrameZeroAndTurnsBy180MinusTheAngle) {
    auto driver = std::make_shared<TFakeDraw2DDriver>();
    SelectGraphicsDriver(driver, ContextDoubleBuffer);
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 0, 0));
    CarStrip = LoadImageStrip(TPixmap::Create(36, 11, FormatRGBA8888, 4), 6, 11, 0, 6, 0);
    // What the drawing layer sends for a rotation, learnt from itself.
    const auto transformFor = [&](float degrees) {
        driver->calls.clear();
        SetDrawRotation(degrees);
        return driver->calls.at(0);
    };
    const std::string turned = transformFor(150.0f);
    const std::string upright = transformFor(0.0f);

    TCar& car = *PlayerCar;
    car.positionX = 100.0f;
    car.positionY = 200.0f;
    car.angle = 30.0f;
    car.Img = 3;
    driver->calls.clear();
    car.Draw();
    const std::vector<std::string> drawn = driver->calls;
    // Frames are numbered as they are first drawn: the shadow's first, then
    // the body's; frame 0 drawn again afterwards is the shadow's.
    driver->calls.clear();
    DrawImageFrame(*CarStrip, 0, 0, 0);
    const std::string frameZero = driver->calls.at(0).substr(0, 8);

    const auto shadow = std::find_if(drawn.begin(), drawn.end(), [](const std::string& call) {
        return call.starts_with("Frame");
    });
    ASSERT_NE(shadow, drawn.end());
    EXPECT_EQ(shadow->substr(0, 8), frameZero);
    EXPECT_NE(shadow->find(" 101 201 "), std::string::npos) << *shadow;
    const auto body = std::find_if(
        shadow + 1, drawn.end(), [](const std::string& call) { return call.starts_with("Frame"); });
    ASSERT_NE(body, drawn.end());
    EXPECT_NE(body->substr(0, 8), frameZero);
    EXPECT_NE(body->find(" 100 200 "), std::string::npos) << *body;
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), turned), 2) << "shadow and body";
    EXPECT_EQ(std::vector<std::string>(drawn.begin(), drawn.begin() + 3),
              (std::vector<std::string>{"SetColor 0 0 0", "SetAlpha 0.5", turned}));
    EXPECT_NE(std::find(body, drawn.end(), upright), drawn.end()) << "the rotation is reset";

    CarStrip = nullptr;
    EndGraphics();
    SelectGraphicsDriver(nullptr, 0);
}

TEST_F(CarTest, AWallReversesAndHalvesTheVelocityAndMovesTheCarOnceMore) {
    FillCity(MakeTile(RoadGrey, Wall, 0, 0, 16, 16));
    TCar& car = *PlayerCar;
    car.positionX = 64.0f + 8.0f;
    car.positionY = 64.0f + 8.0f;
    car.velocityX = 1.0f;
    car.velocityY = -2.0f;
    car.update_Collision();
    EXPECT_FLOAT_EQ(car.positionX, 71.5f);
    EXPECT_FLOAT_EQ(car.positionY, 73.0f);
    EXPECT_FLOAT_EQ(car.velocityX, -0.5f * 0.97f);
    EXPECT_FLOAT_EQ(car.velocityY, 1.0f * 0.97f);
    EXPECT_EQ(car.pMap, TileImages(1, 1)->pixmaps[0]);

    // Free road leaves the car alone, white ground only slows it.
    car.positionX = 64.0f + 40.0f;
    car.update_Collision();
    EXPECT_FLOAT_EQ(car.velocityX, -0.5f * 0.97f);
    TileImages(1, 1) = MakeTile(White);
    car.update_Collision();
    EXPECT_FLOAT_EQ(car.velocityX, -0.5f * 0.97f * 0.9f);
    EXPECT_FLOAT_EQ(car.velocityY, 0.97f * 0.9f);
    EXPECT_FLOAT_EQ(car.positionX, 104.0f);
    EXPECT_EQ(losses, 0);
}

TEST_F(CarTest, ABounceThatEndsInsideTheWallReturnsTheCarToWhereTheFrameBegan) {
    // A wall down the left edge of cell (1, 1): pixels 64 to 73.
    TileImages.Fill(nullptr);
    TileImages(1, 1) = MakeTile(RoadGrey, Wall, 0, 0, 10, 64);
    TCar& car = *PlayerCar;
    car.positionX = 76.0f;
    car.positionY = 96.0f;
    car.update_Collision();

    // Into the wall at 4 pixels a frame: the bounce's step reaches 73.94,
    // still inside, so the car goes back, keeping the bounce's velocity.
    car.velocityX = -4.0f;
    car.UpdatePhysics();
    car.update_Collision();
    EXPECT_EQ(car.positionX, 76.0f);
    EXPECT_FLOAT_EQ(car.velocityX, 4.0f * 0.97f / 2.0f * 0.97f);

    // At 3 pixels a frame the bounce carries it out by itself, as it always did.
    car.velocityX = -3.0f;
    car.UpdatePhysics();
    car.update_Collision();
    EXPECT_FLOAT_EQ(car.positionX, 73.0f + 3.0f * 0.97f / 2.0f);
    EXPECT_EQ(losses, 0);
}

TEST_F(CarTest, AWallHoldsACarPushedIntoItForAMinuteAtAnyAngleEitherWay) {
    // One road tile walled on all four sides, 10 pixels thick, in a city
    // with no other road: a car whose centre got through a wall would lose.
    auto tile = MakeTile(RoadGrey, Wall, 0, 0, 64, 10);
    for (const auto& [x0, y0, w, h] :
         {std::tuple{0, 54, 64, 10}, {0, 0, 10, 64}, {54, 0, 10, 64}}) {
        for (int32_t y = y0; y < y0 + h; ++y) {
            for (int32_t x = x0; x < x0 + w; ++x) {
                tile->pixmaps[0]->WritePixel(x, y, Wall);
            }
        }
    }
    TileImages.Fill(nullptr);
    TileImages(1, 1) = tile;

    for (const int32_t key : {KeyUp, KeyDown}) {
        for (const float heading : {0.0f, 90.0f, 180.0f, 270.0f, 30.0f, 225.0f}) {
            SCOPED_TRACE(testing::Message() << (key == KeyUp ? "forwards" : "in reverse") << " at "
                                            << heading << " degrees");
            PlayerCar = std::make_shared<TCar>();
            TCar& car = *PlayerCar;
            car.positionX = 96.0f;
            car.positionY = 96.0f;
            car.angle = heading;
            Press(key);
            double deepest = 0.0;
            for (int frame = 0; frame < 3600; ++frame) {
                car.ControlViaKeys();
                car.UpdatePhysics();
                car.update_Collision();
                ASSERT_EQ(TruncToInt(car.positionX) / CellSize, 1) << "frame " << frame;
                ASSERT_EQ(TruncToInt(car.positionY) / CellSize, 1) << "frame " << frame;
                ASSERT_NE(TilePixel(*tile->pixmaps[0], TruncToInt(car.positionX),
                                    TruncToInt(car.positionY)),
                          Wall)
                    << "frame " << frame;
                deepest = std::max(deepest, std::max(AbsFloat(car.positionX - 96.0f),
                                                     AbsFloat(car.positionY - 96.0f)));
            }
            Release(key);
            EXPECT_GT(deepest, 21.0) << "the car reached the wall";
            EXPECT_EQ(losses, 0);
        }
    }
}

TEST_F(CarTest, LeavingTheRoadOrTheCityLoses) {
    FillCity(MakeTile(RoadGrey));
    TCar& car = *PlayerCar;
    TileImages(6, 4) = nullptr;
    EXPECT_THROW(car.update_Collision(), TEndScreenOpened);
    EXPECT_EQ(losses, 1);

    // Left of the city: -63 .. -1 would truncate into cell 0.
    car.positionX = -10.0f;
    car.positionY = 20.0f;
    EXPECT_THROW(car.update_Collision(), TEndScreenOpened);
    EXPECT_EQ(losses, 2);
    car.positionX = 2600.0f;
    EXPECT_THROW(car.update_Collision(), TEndScreenOpened);
    EXPECT_EQ(losses, 3);
    // Between -1 and 0 the position still truncates to pixel 0 of cell 0.
    car.positionX = -0.5f;
    car.update_Collision();
    EXPECT_EQ(losses, 3);
}

TEST_F(CarTest, DamageSmokesPast50AndLosesPast100) {
    FillCity(MakeTile(RoadGrey));
    TCar& car = *PlayerCar;
    car.Damage = 50;
    car.update_Collision();
    EXPECT_FALSE(car.smoker);
    car.Damage = 52;
    car.update_Collision();
    ASSERT_TRUE(car.smoker);
    const auto puff = car.smoker;
    car.Damage = 100;
    car.update_Collision();
    EXPECT_EQ(car.smoker, puff);
    EXPECT_EQ(losses, 0);
    car.Damage = 102;
    EXPECT_THROW(car.update_Collision(), TEndScreenOpened);
    EXPECT_EQ(losses, 1);
}

TEST_F(CarTest, TheSewerWinsOnlyCloserThan16Pixels) {
    SewerPoint = {1, 1};
    TCar& car = *PlayerCar;
    car.positionX = 96.0f;
    car.positionY = 112.0f;
    car.UpdatePhysics();
    EXPECT_EQ(wins, 0);
    car.positionY = 111.99f;
    EXPECT_THROW(car.UpdatePhysics(), TEndScreenOpened);
    EXPECT_EQ(wins, 1);
}

TEST_F(CarTest, PoliceAppear128PixelsAheadOnlyOnARoadCell) {
    CopSpawnChance = 100;
    TCar& car = *PlayerCar;
    car.positionX = 32.0f;
    car.positionY = 100.0f;
    testing::internal::CaptureStdout();
    car.UpdatePhysics();
    EXPECT_TRUE(CopList->IsEmpty()); // no tiles at all

    TileImages(0, 3) = MakeTile(RoadGrey);
    car.UpdatePhysics();
    ASSERT_EQ(CopList->Count(), 1);
    EXPECT_EQ(CopList->First()->x, 32.0f);
    EXPECT_EQ(CopList->First()->y, 224.0f);

    // 128 ahead of a car heading up is above the city, not in cell (0, 0).
    TileImages(0, 0) = MakeTile(RoadGrey);
    car.angle = 180.0f;
    car.UpdatePhysics();
    EXPECT_EQ(CopList->Count(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "created cop!  0\r\n");
}
