// One frame of the game's simulation without drawing: every police car's
// update and collision, the player's control, physics and collision, and
// the player's pass over all 501 pedestrians. The police cars stand in a
// spiral around the player, each within range and none touching another,
// and the scene is restored before every frame so that each one does the
// same work. Frames cycle through FrameCount 0, 1, 2, so the police cars'
// pedestrian pass (every third frame) is averaged in.

#include "actors/car.h"
#include "actors/fake_car.h"
#include "actors/ped.h"
#include "game/globals.h"
#include "graphics/image_loading.h"
#include "pixmap/pixmap.h"
#include "util/numeric.h"
#include "util/random.h"
#include "world/city.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// Grey road with a white pavement along two sides.
std::shared_ptr<TImage> MakeRoadTile() {
    auto pixmap = TPixmap::Create(CellSize, CellSize, FormatRGBA8888, 4);
    pixmap->ClearPixels(0xFF808080);
    for (int32_t y = 0; y < CellSize; ++y) {
        for (int32_t x = 0; x < CellSize; ++x) {
            if (x < 12 || y < 12) {
                pixmap->WritePixel(x, y, 0xFFFFFFFF);
            }
        }
    }
    return LoadImageFile(std::move(pixmap), 0);
}

void SetUpCity() {
    CreateCityGrids();
    TileImages.Fill(MakeRoadTile());
    SewerPoint = {39, 39};
    CopSpawnChance = 0; // keep the number of police cars fixed
    SeedRandom(4242);
    PedList = MakeEmptyList<tPed>();
    SpawnPedestrians();
}

void BM_SimulateFrame(benchmark::State& state) {
    SetUpCity();
    const int32_t copCount = static_cast<int32_t>(state.range(0));

    TCar playerStart;
    playerStart.positionX = 20 * CellSize + 32;
    playerStart.positionY = 20 * CellSize + 32;
    playerStart.velocityX = 0.3f;
    PlayerCar = std::make_shared<TCar>(playerStart);

    std::vector<tFakeCar> copStarts(static_cast<size_t>(copCount));
    std::vector<std::shared_ptr<tFakeCar>> cops;
    for (int32_t i = 0; i < copCount; ++i) {
        const double radius = 40.0 + 4.0 * i;
        const double angle = 137.5 * i;
        copStarts[i].x = static_cast<float>(playerStart.positionX + radius * CosDeg(angle));
        copStarts[i].y = static_cast<float>(playerStart.positionY + radius * SinDeg(angle));
        copStarts[i].Direction = static_cast<float>(std::fmod(angle + 180.0, 360.0));
        cops.push_back(std::make_shared<tFakeCar>());
    }

    int64_t frame = 0;
    for (auto _ : state) {
        state.PauseTiming();
        *PlayerCar = playerStart;
        CopList = MakeEmptyList<tFakeCar>();
        for (size_t i = 0; i < cops.size(); ++i) {
            *cops[i] = copStarts[i];
            CopList->AddLast(cops[i]);
        }
        for (const auto& ped : *PedList) {
            ped->alive = 1;
        }
        FrameCount = static_cast<int32_t>(frame++ % 3);
        state.ResumeTiming();

        for (const auto& cop : *CopList) {
            if (cop) {
                cop->Update(TruncToInt(PlayerCar->positionX), TruncToInt(PlayerCar->positionY));
                cop->Update_Collision();
            }
        }
        PlayerCar->ControlViaKeys();
        PlayerCar->UpdatePhysics();
        PlayerCar->update_Collision();
        const int32_t px = TruncToInt(PlayerCar->positionX);
        const int32_t py = TruncToInt(PlayerCar->positionY);
        for (const auto& ped : *PedList) {
            ped->update(px, py);
        }
    }
    state.counters["cops_left"] = static_cast<double>(CopList->Count());
}
BENCHMARK(BM_SimulateFrame)->Arg(0)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
