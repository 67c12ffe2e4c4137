#pragma once

// A stage for the actors: empty game-wide state, a city of hand-made road
// tiles, keys pressed through the input layer and the win and lose screens
// replaced by counters.

#include "actors/car.h"
#include "actors/fake_car.h"
#include "actors/ped.h"
#include "game/globals.h"
#include "game/screens.h"
#include "graphics/image_loading.h"
#include "pixmap/pixmap.h"
#include "system/event.h"
#include "system/input_state.h"
#include "util/numeric.h"
#include "world/city.h"

#include <gtest/gtest.h>

#include <memory>

inline constexpr uint32_t RoadGrey = 0xFF808080;
inline constexpr uint32_t Wall = 0xFFB97A57;
inline constexpr uint32_t White = 0xFFFFFFFF;

// A 64 x 64 road tile of one colour, with an optional rectangle of another.
inline std::shared_ptr<TImage> MakeTile(uint32_t ground, uint32_t patch = 0, int32_t x0 = 0,
                                        int32_t y0 = 0, int32_t w = 0, int32_t h = 0) {
    auto pixmap = TPixmap::Create(CellSize, CellSize, FormatRGBA8888, 4);
    pixmap->ClearPixels(ground);
    for (int32_t y = y0; y < y0 + h; ++y) {
        for (int32_t x = x0; x < x0 + w; ++x) {
            pixmap->WritePixel(x, y, patch);
        }
    }
    return LoadImageFile(std::move(pixmap), 0);
}

class ActorScene : public ::testing::Test {
protected:
    void SetUp() override {
        CreateCityGrids();
        ViewOffsetX = 0.0f;
        ViewOffsetY = 0.0f;
        FrameCount = 1; // not a pedestrian frame of the police cars
        CrashSoundRequested = 0;
        // No police car appears unless a test asks for it.
        CopSpawnChance = 0;
        PlayerCar = std::make_shared<TCar>();
        CopList = MakeEmptyList<tFakeCar>();
        PedList = MakeEmptyList<tPed>();
        CarStrip = nullptr;
        PedImage = nullptr;
        EndScreenStandIn = [this](TEndScreen screen) {
            ++(screen == TEndScreen::Win ? wins : losses);
        };
        StartInputTracking(nullptr);
    }

    void TearDown() override {
        StopInputTracking();
        EndScreenStandIn = nullptr;
        PlayerCar = nullptr;
        CopList = nullptr;
        PedList = nullptr;
        CreateCityGrids();
    }

    static void FillCity(const std::shared_ptr<TImage>& tile) { TileImages.Fill(tile); }

    static void Press(int32_t key) {
        TEvent::Create(EventKeyDown, nullptr, key, 0, 0, 0, {})->Emit();
    }
    static void Release(int32_t key) {
        TEvent::Create(EventKeyUp, nullptr, key, 0, 0, 0, {})->Emit();
    }

    // One walk of the frame loop over the police cars.
    static void RunCops() {
        for (const auto& cop : *CopList) {
            if (!cop) {
                continue;
            }
            cop->Update(TruncToInt(PlayerCar->positionX), TruncToInt(PlayerCar->positionY));
            cop->Update_Collision();
            cop->Draw();
        }
    }

    int wins = 0;
    int losses = 0;
};
