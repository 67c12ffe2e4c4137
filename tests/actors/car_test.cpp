#include "actor_scene.h"
#include "system/key_codes.h"

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
