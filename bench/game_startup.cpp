// The game's start-up, phase by phase, up to the first presented title frame,
// then whole frames of play (RunFrame: simulation, drawing, presenting)
// without pacing, with 0, 10 and 50 police cars. Start-up runs StartGame's
// steps in StartGame's order, with a clock between them; the window is
// opened at hertz 0 so that no frame waits for a 60 Hz slot.
//
//   bench-game-startup [frames]     frames of play per police car count (300)
//
// It prints "name value unit" lines, like bench-bare-window, whose figures
// are the floor these are held against. Needs a display (xvfb-run will do)
// and the game's assets beside it, which the build puts there.

#include "actors/car.h"
#include "actors/fake_car.h"
#include "actors/ped.h"
#include "game/game_program.h"
#include "game/globals.h"
#include "game/image_library.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_drawing.h"
#include "graphics/image_loading.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "io/directory.h"
#include "process_figures.h"
#include "system/program_exit.h"
#include "system/program_startup.h"
#include "system/sdl/sdl_program_startup.h"
#include "util/clock.h"
#include "util/numeric.h"
#include "util/random.h"
#include "util/runtime_error.h"
#include "world/city.h"
#include "world/mini_map.h"
#include "world/road_map.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

int FramesPerCount = 300;

using TClock = std::chrono::steady_clock;

// Runs `step` and prints how long it took.
void Phase(const char* name, const std::function<void()>& step) {
    const auto begin = TClock::now();
    step();
    const std::chrono::duration<double, std::milli> took = TClock::now() - begin;
    std::printf("startup_%s_ms %.2f ms\n", name, took.count());
}

void StartUp() {
    // StartGame's steps up to the pedestrians, grouped into phases.
    Phase("window", [] {
        CreateCityGrids();
        SetProgramTitle(GameTitle);
        SeedRandom(MillisecondClock());
        OpenGameWindow(0);
        if (!CurrentGraphics()) {
            RaiseRuntimeError(u"bench-game-startup: could not open the window\n");
        }
    });
    Phase("pictures", [] {
        LoadCarStrip();
        CopList = MakeEmptyList<tFakeCar>();
        LoadArrowAndSewer();
    });
    Phase("sounds", [] {
        LoadEngineSound();
        LoadCrashSound();
        PedList = MakeEmptyList<tPed>();
    });
    Phase("image_library", [] { LoadImageLibrary(); });
    Phase("city", [] {
        BuildWorld(ImageLibrary);
        BuildMiniMap();
        CreatePlayerCar();
    });
    Phase("pedestrians", [] {
        LoadPedestrianPicture();
        SpawnPedestrians();
    });
    // The title screen's first frame; the screen itself waits for Space.
    Phase("title_frame", [] {
        const auto logo = LoadImageFile(WorkingDirectory() + u"/img/logo.png", 0);
        if (!logo) {
            RaiseRuntimeError(u"bench-game-startup: img/logo.png is missing beside the program\n");
        }
        ClearScreen();
        DrawImageFrame(*logo, 0, 0, 0);
        PresentFrame(-1);
    });
    std::printf("first_frame_ms %.2f ms\n", MillisecondsSinceProcessStart());
}

// Play from the start cell with `cops` police cars spawned around it; the
// police cars ram the player as they would in a game (no screen ends it).
void PlayFrames(int32_t cops) {
    CopSpawnChance = 0; // the count stays what it was set to
    CreatePlayerCar();
    CopList = MakeEmptyList<tFakeCar>();
    for (int32_t i = 0; i < cops; ++i) {
        CopList->AddLast(SpawnCop(StartPoint.x, StartPoint.y));
    }
    FrameCount = 0;
    const auto wallBefore = TClock::now();
    const double cpuBefore = ProcessCpuMilliseconds();
    for (int frame = 0; frame < FramesPerCount; ++frame) {
        // The police cars ram the player throughout; cleared before every
        // frame, the damage never wrecks the car, so no lose screen takes
        // over from the measured play.
        PlayerCar->Damage = 0;
        RunFrame();
    }
    const double cpu = (ProcessCpuMilliseconds() - cpuBefore) / FramesPerCount;
    const std::chrono::duration<double, std::milli> wall = TClock::now() - wallBefore;
    std::printf("frame_cpu_ms_cops_%d %.4f ms\n", cops, cpu);
    std::printf("frame_wall_ms_cops_%d %.4f ms\n", cops, wall.count() / FramesPerCount);
}

void Measure() {
    // Starting the process: loading and linking the libraries, static
    // initialisers, StartSDLProgram.
    std::printf("startup_launch_ms %.2f ms\n", MillisecondsSinceProcessStart());
    StartUp();
    for (const int32_t cops : {0, 10, 50}) {
        PlayFrames(cops);
    }
    std::printf("peak_rss_mb %.1f MB\n", PeakResidentMegabytes());
    std::fflush(stdout);
    EndProgram();
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2) {
        FramesPerCount = std::max(1, std::atoi(argv[1]));
    }
    StartSDLProgram(argc, argv, [] {
        InstallDraw2DDriver();
        Measure();
    });
}
