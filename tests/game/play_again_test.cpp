// Games started one after another in one process, as Space on the win or
// lose screen starts them, with the game's own pictures and sounds: a new
// game lets go of everything of the last one and reuses what the start-up
// loaded.

#include "actors/car.h"
#include "actors/fake_car.h"
#include "actors/ped.h"
#include "audio/audio.h"
#include "audio/null_audio.h"
#include "fake_draw2d_driver.h"
#include "fake_system_driver.h"
#include "game/game_program.h"
#include "game/globals.h"
#include "game/image_library.h"
#include "graphics/graphics_context.h"
#include "system/input_state.h"
#include "system/key_codes.h"
#include "world/city.h"

#include <gtest/gtest.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>

namespace {

class PlayAgainTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::current_path(SEWER_PROGRAM_DIR);
        SetSystemDriver(keys);
        SelectGraphicsDriver(drawing, ContextDoubleBuffer);
        ASSERT_TRUE(OpenGraphics(800, 600, 0, 0, 0));
        SelectAudioDriver(u"Null");
        // What the start-up loads once; the city builder's lines are put aside.
        testing::internal::CaptureStdout();
        LoadCarStrip();
        LoadArrowAndSewer();
        LoadEngineSound();
        LoadCrashSound();
        LoadImageLibrary();
        LoadPedestrianPicture();
    }

    void TearDown() override {
        testing::internal::GetCapturedStdout();
        EndGraphics();
        SelectGraphicsDriver(nullptr, 0);
        SetSystemDriver(nullptr);
    }

    // Frames of play with Up held and C pressed every tenth frame, so that
    // police cars, rams and smoke are part of the game.
    void Play(int frames) {
        keys->Queue(EventKeyDown, KeyUp);
        for (int frame = 0; frame < frames; ++frame) {
            if (frame % 10 == 0) {
                keys->Queue(EventKeyDown, KeyC);
                keys->Queue(EventKeyUp, KeyC);
            }
            // The police never wreck the car: no lose screen takes over.
            PlayerCar->Damage = 0;
            RunFrame();
            drawing->calls.clear();
        }
    }

    std::shared_ptr<TFakeSystemDriver> keys = std::make_shared<TFakeSystemDriver>();
    std::shared_ptr<TFakeDraw2DDriver> drawing = std::make_shared<TFakeDraw2DDriver>();
};

} // namespace

TEST_F(PlayAgainTest, TheNextGameLetsGoOfTheLastAndReusesWhatWasLoaded) {
    StartNextGame(1);
    Play(60);
    ASSERT_GT(CopList->Count(), 0);
    const std::weak_ptr<TCar> car = PlayerCar;
    const std::weak_ptr<TList<tFakeCar>> cops = CopList;
    const std::weak_ptr<tFakeCar> cop = CopList->First();
    const std::weak_ptr<TList<tPed>> pedestrians = PedList;
    const std::weak_ptr<tPed> pedestrian = PedList->First();
    const std::weak_ptr<TImage> miniMap = MiniMapImage;
    const auto carStrip = CarStrip;
    const auto engineSound = EngineSound;
    const auto engineChannel = EngineChannel;
    const tPoint firstStart = StartPoint;

    // The lose screen's sound calls, as Space leaves it.
    EngineChannel->Stop();
    AudioSetRate(CrashChannel, 0.2f);
    AudioPlaySound(CrashSound, CrashChannel);
    StartNextGame(2);

    EXPECT_TRUE(car.expired());
    EXPECT_TRUE(cops.expired());
    EXPECT_TRUE(cop.expired());
    EXPECT_TRUE(pedestrians.expired());
    EXPECT_TRUE(pedestrian.expired());
    EXPECT_TRUE(miniMap.expired());
    EXPECT_EQ(CarStrip, carStrip);
    EXPECT_EQ(EngineSound, engineSound);
    EXPECT_EQ(EngineChannel, engineChannel) << "the engine plays on the channel it had";

    EXPECT_NE(StartPoint, firstStart) << "a new city";
    std::set<const TImage*> library;
    for (const auto& image : ImageLibrary.Values()) {
        library.insert(image.get());
    }
    for (int32_t x = 0; x < CityWidth; ++x) {
        for (int32_t y = 0; y < CityHeight; ++y) {
            if (TileImages(x, y)) {
                EXPECT_TRUE(library.contains(TileImages(x, y).get())) << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(CopList->Count(), 0);
    EXPECT_EQ(PedList->Count(), 501);
    EXPECT_EQ(FrameCount, 0);
    EXPECT_EQ(PlayerCar->Damage, 0);
    EXPECT_EQ(PlayerCar->positionX, static_cast<float>(64 * StartPoint.x + 32));

    const auto& engine = dynamic_cast<TNullChannel&>(*EngineChannel);
    EXPECT_EQ(engine.Sound(), EngineSound);
    EXPECT_FALSE(engine.Paused()) << "the engine runs";
    const auto& crash = dynamic_cast<TNullChannel&>(*CrashChannel);
    EXPECT_EQ(crash.Sound(), nullptr) << "the crash is stopped";
    EXPECT_EQ(crash.Rate(), 1.0f) << "and will sound at its own rate again";
}

TEST_F(PlayAgainTest, FiftyGamesHoldNoMoreMemoryThanOne) {
#if !defined(__GLIBC__) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "needs the C library's own heap figures";
#else
    size_t afterOne = 0;
    for (int32_t game = 1; game <= 51; ++game) {
        StartNextGame(game);
        if (game == 2) {
            afterOne = mallinfo2().uordblks;
        }
        Play(30);
    }
    // Measured where the first was: at the start of the next game.
    StartNextGame(52);
    const size_t afterFifty = mallinfo2().uordblks;
    std::fprintf(stderr, "heap in use after 1 game: %zu bytes, after 50: %zu bytes\n", afterOne,
                 afterFifty);
    // The heap holds the same things; only the cities' sizes differ a little.
    EXPECT_LT(afterFifty, afterOne + 64 * 1024);
#endif
}
