// The win and lose screens reached for real: the game's own pictures in a
// real window on the test display, the player's car put next to the sewer
// or wrecked, and the frame that the screen presents read back and saved.
// The screens never return, so each runs in a child process that Escape
// ends with status 0; the test then looks at the saved picture.

#include "actors/car.h"
#include "actors/fake_car.h"
#include "actors/ped.h"
#include "game/game_program.h"
#include "game/globals.h"
#include "game/screens.h"
#include "graphics/blend_mode.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_loading.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "pixmap/pixmap_loader.h"
#include "pixmap/png_writer.h"
#include "system/hooks.h"
#include "system/sdl/sdl_system_driver.h"
#include "util/utf8.h"
#include "world/city.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// Which presented frame of the screen is kept: a few passes in, so that the
// screen's own colour choices have been made.
constexpr int ShotFrame = 5;

int flips = 0;
std::string shotPath;

// Runs first in every PresentFrame, when the frame is complete but not yet
// shown: keeps the chosen one and then presses Escape.
THookData KeepFrameThenEscape(int32_t, const THookData& data, const THookData&) {
    if (++flips == ShotFrame) {
        SavePixmapPNG(*GrabPixmap(0, 0, 800, 600), Utf8ToText(shotPath), 6);
        SDL_Event escape{};
        escape.type = SDL_KEYDOWN;
        escape.key.state = SDL_PRESSED;
        escape.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
        SDL_PushEvent(&escape);
    }
    return data;
}

// The game's set-up on a city of plain road: every cell holds the straight
// tile, whose middle is carriageway, with the sewer in cell (20, 20).
void OpenGameOnPlainRoad() {
    // Escape comes through SDL's events, as the game's start-up arranges.
    InstallSDLSystemDriver();
    InstallDraw2DDriver();
    OpenGraphics(800, 600, 0, 60, 0);
    SetBlendMode(BlendTranslucent);
    SetLogicalSize(160.0f, 120.0f);
    CreateCityGrids();
    const auto road = LoadImageFile(Text(u"img/r24.png"), 0);
    for (int32_t x = 0; x < CityWidth; ++x) {
        for (int32_t y = 0; y < CityHeight; ++y) {
            TileImages(x, y) = road;
        }
    }
    StartPoint = {20, 20};
    SewerPoint = {20, 20};
    CarStrip = LoadImageStrip(Text(u"img/cars.png"), 6, 11, 0, 6, 0);
    ArrowImage = LoadImageFile(Text(u"img/arrow.png"), 0);
    SewerImage = LoadImageFile(Text(u"img/sewer.png"), 0);
    PedImage = LoadImageStrip(Text(u"img/pede.png"), 8, 8, 0, 2, 0);
    CopList = MakeEmptyList<tFakeCar>();
    PedList = MakeEmptyList<tPed>();
    CopSpawnChance = 0;
    CreatePlayerCar();
    AttachHook(FlipHook(), KeepFrameThenEscape, nullptr, 0);
}

// How many pixels of the text band (window pixels) the predicate accepts.
template <typename TPredicate>
int CountPixels(const std::string& path, int x0, int y0, int x1, int y1, TPredicate accept) {
    const auto shot = LoadPixmapFrom(Utf8ToText(path));
    if (!shot) {
        return -1;
    }
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += accept(shot->ReadPixel(x, y) & 0xFFFFFF) ? 1 : 0;
        }
    }
    return count;
}

class EndScreensDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        shotPath = (std::filesystem::temp_directory_path() /
                    ("sewer-end-screen-" + std::to_string(getpid()) + ".png"))
                       .string();
        std::filesystem::remove(shotPath);
    }
    void TearDown() override { std::filesystem::remove(shotPath); }
};

} // namespace

TEST_F(EndScreensDisplayTest, DrivingIntoTheSewerShowsTheWinScreenUntilEscape) {
    EXPECT_EXIT(
        {
            OpenGameOnPlainRoad();
            PlayerCar->positionX += 10.0f; // 10 pixels from the sewer's centre
            RunFrame();
        },
        ::testing::ExitedWithCode(0), "");
    // "You escaped!" at (10, 10) in flickering green over the picture.
    const int green = CountPixels(shotPath, 50, 50, 50 + 96 * 5, 50 + 16 * 5, [](uint32_t rgb) {
        return (rgb >> 16) == 0 && ((rgb >> 8) & 0xFF) >= 113 && (rgb & 0xFF) == 0;
    });
    EXPECT_GT(green, 1000) << shotPath;
}

TEST_F(EndScreensDisplayTest, AWreckedCarShowsTheLoseScreenUntilEscape) {
    EXPECT_EXIT(
        {
            OpenGameOnPlainRoad();
            PlayerCar->positionX += 256.0f; // four cells from the sewer
            PlayerCar->Damage = 101;
            RunFrame();
        },
        ::testing::ExitedWithCode(0), "");
    // "You Lose!" near (30, 10) in the colour of play, white.
    const int white = CountPixels(shotPath, 150, 50, 150 + 80 * 5, 50 + 20 * 5,
                                  [](uint32_t rgb) { return rgb == 0xFFFFFF; });
    EXPECT_GT(white, 1000) << shotPath;
}
