#include "actor_scene.h"
#include "effects/smoker.h"
#include "fake_draw2d_driver.h"
#include "graphics/graphics_context.h"

#include <algorithm>
#include <cmath>

namespace {

class FakeCarTest : public ActorScene {
protected:
    void SetUp() override {
        ActorScene::SetUp();
        FillCity(MakeTile(RoadGrey));
        // Far enough from every police car of these tests not to be rammed.
        PlayerCar->positionX = 300.0f;
        PlayerCar->positionY = 300.0f;
    }

    std::shared_ptr<tFakeCar> AddCop(float x, float y) {
        auto cop = std::make_shared<tFakeCar>();
        cop->x = x;
        cop->y = y;
        CopList->AddLast(cop);
        return cop;
    }
};

} // namespace

TEST_F(FakeCarTest, SpawnCopPlacesACarAtTheCellCentreAndCountsTheCarsSoFar) {
    testing::internal::CaptureStdout();
    const auto first = SpawnCop(10, 7);
    CopList->AddLast(first);
    CopList->AddLast(SpawnCop(10, 7));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "created cop!  0\r\ncreated cop!  1\r\n");
    EXPECT_EQ(first->x, 672.0f);
    EXPECT_EQ(first->y, 480.0f);
    EXPECT_EQ(first->Direction, 0.0f);
    EXPECT_EQ(first->XS, 0.0f);
    EXPECT_EQ(first->Damage, 0);
    EXPECT_EQ(first->img, 0);
}

TEST_F(FakeCarTest, ACarHomesInWithARisingTurnRate) {
    PlayerCar->positionX = 100.0f;
    PlayerCar->positionY = 200.0f;
    const auto cop = AddCop(100.0f, 100.0f);
    cop->Update(100, 200);
    EXPECT_FLOAT_EQ(cop->x, 100.05f);
    EXPECT_EQ(cop->y, 100.0f);
    EXPECT_FLOAT_EQ(cop->XS, 0.05f);
    EXPECT_EQ(cop->TurnSpeed, 1.0f);
    EXPECT_EQ(cop->Direction, 1.0f);
    cop->Update(100, 200);
    EXPECT_EQ(cop->TurnSpeed, 2.0f);
    EXPECT_FLOAT_EQ(cop->Direction, 3.0f);

    // The speed never exceeds the top speed, and the turn rate its cap.
    for (int i = 0; i < 100; ++i) {
        cop->Update(100, 200);
        EXPECT_LE(std::hypot(cop->XS, cop->YS), 1.0f + 1e-6f);
        EXPECT_LE(std::abs(cop->TurnSpeed), tFakeCar::TurnMax);
        EXPECT_GE(cop->Direction, 0.0f);
        EXPECT_LT(cop->Direction, 360.0f);
    }
}

TEST_F(FakeCarTest, ExactlyOppositeTheTurnRateStillChanges) {
    PlayerCar->positionX = 50.0f;
    PlayerCar->positionY = 100.0f;
    const auto cop = AddCop(100.0f, 100.0f);
    cop->XS = -0.05f; // cancels the acceleration: the car stays where it is
    cop->Update(50, 100);
    EXPECT_EQ(cop->TurnSpeed, 1.0f);
}

TEST_F(FakeCarTest, ACarAtExactly256PixelsStaysAndOneBeyondIsRemovedDuringTheWalk) {
    const auto near = AddCop(300.0f, 44.0f);
    const auto far = AddCop(300.0f, 43.9f);
    const auto last = AddCop(300.0f, 290.0f);
    testing::internal::CaptureStdout();
    RunCops();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(CopList->ToArray(), (std::vector<std::shared_ptr<tFakeCar>>{near, last}));
    // The walk went on past the removed car: the last one moved too.
    EXPECT_NE(last->x, 300.0f);
    EXPECT_EQ(far->x, 300.0f);
}

TEST_F(FakeCarTest, ACarOffTheRoadOrOutsideTheCityIsDroppedWithAMessage) {
    TileImages(4, 4) = nullptr;
    const auto offRoad = AddCop(4 * 64 + 32, 4 * 64 + 32);
    const auto stays = AddCop(5 * 64 + 32, 4 * 64 + 32);
    const auto outside = AddCop(-20.0f, 290.0f);
    testing::internal::CaptureStdout();
    offRoad->Update_Collision();
    stays->Update_Collision();
    outside->Update_Collision();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Cop oob!\r\nCop oob!\r\n");
    EXPECT_EQ(CopList->ToArray(), (std::vector<std::shared_ptr<tFakeCar>>{stays}));
}

TEST_F(FakeCarTest, WallsBumpAndWhiteGroundSlows) {
    TileImages(2, 2) = MakeTile(Wall);
    TileImages(3, 2) = MakeTile(White);
    const auto walled = AddCop(2 * 64 + 10, 2 * 64 + 10);
    const auto slowed = AddCop(3 * 64 + 10, 2 * 64 + 10);
    walled->XS = 1.0f;
    walled->YS = -0.5f;
    slowed->XS = 1.0f;
    walled->Update_Collision();
    slowed->Update_Collision();
    EXPECT_EQ(walled->XS, -1.0f);
    EXPECT_EQ(walled->YS, 0.5f);
    EXPECT_EQ(walled->Damage, 5);
    EXPECT_FLOAT_EQ(slowed->XS, 0.9f);
    EXPECT_EQ(slowed->Damage, 0);
}

TEST_F(FakeCarTest, TwoCarsInOneCellBumpEveryFrameAndAreWreckedAfter21Frames) {
    CopList->AddLast(SpawnCop(3, 3));
    CopList->AddLast(SpawnCop(3, 3));
    const auto cops = CopList->ToArray();
    for (int frame = 0; frame < 20; ++frame) {
        RunCops();
    }
    EXPECT_EQ(cops[0]->Damage, 100);
    EXPECT_EQ(cops[1]->Damage, 100);
    RunCops();
    EXPECT_EQ(cops[0]->Damage, 105);
    EXPECT_EQ(cops[1]->Damage, 105);
    // Wrecks stand still.
    const float x = cops[0]->x;
    RunCops();
    EXPECT_EQ(cops[0]->x, x);
    EXPECT_EQ(cops[0]->XS, 0.0f);
}

TEST_F(FakeCarTest, ARamNeedsRelativeMotionAndHurtsThePlayer) {
    TCar& player = *PlayerCar;
    const auto cop = AddCop(304.0f, 300.0f);
    player.velocityX = 0.5f;
    cop->XS = -0.4f;
    cop->Update_Collision();
    EXPECT_EQ(player.Damage, 0);
    EXPECT_EQ(CrashSoundRequested, 0);
    EXPECT_EQ(cop->Damage, 0);

    cop->XS = -0.41f;
    cop->Update_Collision();
    EXPECT_EQ(player.Damage, 2);
    EXPECT_EQ(CrashSoundRequested, 1);
    EXPECT_EQ(cop->Damage, 5);
    EXPECT_FLOAT_EQ(cop->XS, 0.41f);
    // The player is thrown back and moved by an extra physics step.
    EXPECT_FLOAT_EQ(player.positionX, 299.5f);
    EXPECT_FLOAT_EQ(player.velocityX, -0.5f * 0.97f);
    EXPECT_FLOAT_EQ(ViewOffsetX, 0.5f * 0.97f);
}

TEST_F(FakeCarTest, OnlyACarBelow100DamageCanRam) {
    TCar& player = *PlayerCar;
    player.velocityX = 2.0f;
    const auto harmless = AddCop(304.0f, 300.0f);
    harmless->Damage = 100;
    harmless->Update_Collision();
    EXPECT_EQ(player.Damage, 0);
    EXPECT_EQ(player.velocityX, 2.0f);
    harmless->Damage = 99;
    harmless->Update_Collision();
    EXPECT_EQ(player.Damage, 2);
}

TEST_F(FakeCarTest, PedestriansAreRunOverOnEveryThirdFrameOnly) {
    const auto cop = AddCop(100.0f, 100.0f);
    auto ped = std::make_shared<tPed>();
    ped->x = 102.0f;
    ped->y = 100.0f;
    PedList->AddLast(ped);
    FrameCount = 4;
    cop->Update_Collision();
    EXPECT_EQ(ped->alive, 1);
    FrameCount = 6;
    cop->Update_Collision();
    EXPECT_EQ(ped->alive, 0);
}

TEST_F(FakeCarTest, ADamagedCarSmokesUnlessItHasAnEmitter) {
    const auto cop = AddCop(100.0f, 100.0f);
    cop->Damage = 50;
    cop->Update_Collision();
    EXPECT_FALSE(cop->smoker);
    cop->Damage = 55;
    cop->Update_Collision();
    ASSERT_TRUE(cop->smoker);
}

TEST_F(FakeCarTest, AWreckIsDrawnDarkKeepsItsSmokeAndAHarmlessCarIsWhite) {
    auto driver = std::make_shared<TFakeDraw2DDriver>();
    SelectGraphicsDriver(driver, ContextDoubleBuffer);
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
    CarStrip = LoadImageStrip(TPixmap::Create(36, 11, FormatRGBA8888, 4), 6, 11, 0, 6, 0);
    const auto cop = AddCop(100.0f, 100.0f);
    const auto drawnColours = [&] {
        driver->calls.clear();
        cop->Draw();
        std::vector<std::string> colours;
        std::copy_if(driver->calls.begin(), driver->calls.end(), std::back_inserter(colours),
                     [](const std::string& call) { return call.starts_with("SetColor"); });
        return colours;
    };
    cop->Damage = 100;
    EXPECT_EQ(drawnColours(), (std::vector<std::string>{"SetColor 0 0 0", "SetColor 255 255 255"}));
    cop->Damage = 105;
    EXPECT_EQ(drawnColours(), (std::vector<std::string>{"SetColor 0 0 0", "SetColor 32 32 32"}));
    const auto draws =
        std::count_if(driver->calls.begin(), driver->calls.end(),
                      [](const std::string& call) { return call.starts_with("Frame"); });
    EXPECT_EQ(draws, 2); // shadow and body

    // A wreck stops dead but keeps the smoke it had and goes on drawing it.
    tSmoker::SmokeImage = LoadImageStrip(TPixmap::Create(32, 8, FormatRGBA8888, 4), 8, 8, 0, 4, 0);
    cop->Update_Collision();
    ASSERT_TRUE(cop->smoker);
    const auto puff = cop->smoker;
    PlayerCar->positionX = 120.0f; // in range, out of reach
    PlayerCar->positionY = 100.0f;
    cop->XS = 0.5f;
    cop->Update(120, 100);
    cop->Update_Collision();
    EXPECT_EQ(cop->XS, 0.0f);
    EXPECT_EQ(cop->smoker, puff);
    driver->calls.clear();
    cop->Draw();
    EXPECT_EQ(std::count_if(driver->calls.begin(), driver->calls.end(),
                            [](const std::string& call) { return call.starts_with("Frame"); }),
              3)
        << "shadow, body and smoke";
    tSmoker::SmokeImage = nullptr;

    CarStrip = nullptr;
    EndGraphics();
    SelectGraphicsDriver(nullptr, 0);
}
