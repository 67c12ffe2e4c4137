#include "actor_scene.h"
#include "util/random.h"
#include "util/runtime_error.h"

namespace {

using PedTest = ActorScene;

} // namespace

TEST_F(PedTest, SpawningPlaces501PedestriansOnOpaqueWhiteInCells4To38) {
    SeedRandom(1234);
    // White along the left of every tile, nearly white and see-through white beside it.
    FillCity(MakeTile(RoadGrey, White, 0, 0, 20, 64));
    for (int32_t x = 0; x < CityWidth; x += 2) {
        TileImages(x, 7) = nullptr;
    }
    const auto pixmap = TileImages(1, 1)->pixmaps[0];
    for (int32_t y = 0; y < 64; ++y) {
        pixmap->WritePixel(20, y, 0xFFFFFFFE);
        pixmap->WritePixel(21, y, 0x80FFFFFF);
    }
    SpawnPedestrians();
    ASSERT_EQ(PedList->Count(), 501);
    for (const auto& ped : *PedList) {
        const int32_t cellX = static_cast<int32_t>(ped->x) / 64;
        const int32_t cellY = static_cast<int32_t>(ped->y) / 64;
        EXPECT_GE(cellX, 4);
        EXPECT_LE(cellX, 38);
        EXPECT_GE(cellY, 4);
        EXPECT_LE(cellY, 38);
        ASSERT_TRUE(TileImages(cellX, cellY));
        EXPECT_EQ(
            TileImages(cellX, cellY)
                ->pixmaps[0]
                ->ReadPixel(static_cast<int32_t>(ped->x) % 64, static_cast<int32_t>(ped->y) % 64),
            White);
        EXPECT_EQ(ped->alive, 1);
    }
}

TEST_F(PedTest, TilesWithoutWhiteGroundStopTheSpawnWithAnError) {
    FillCity(MakeTile(RoadGrey, White, 0, 0, 2, 64)); // white only where no one is placed
    try {
        SpawnPedestrians();
        FAIL() << "no error";
    } catch (const TRuntimeError& error) {
        EXPECT_NE(error.Message().find(u"white"), Text::npos);
    }
}

TEST_F(PedTest, APedestrianIsRunOverCloserThan5PixelsAndStaysSo) {
    tPed ped;
    ped.x = 100.0f;
    ped.y = 100.0f;
    ped.update(105, 100);
    ped.update(97, 96);
    EXPECT_EQ(ped.alive, 1);
    ped.x = 100.01f;
    ped.update(105, 100);
    EXPECT_EQ(ped.alive, 0);
    ped.update(500, 500);
    EXPECT_EQ(ped.alive, 0);
}
