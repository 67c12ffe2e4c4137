// Games played back to back in one process, as a player does with Space on
// the win or lose screen: the memory the process holds once one game is
// behind it and once fifty are, and the time from Space on the lose screen
// to the first presented frame of the next game.
//
//   bench-play-again [games] [hertz]     games to play (50), pacing (0: none)
//
// The real program's window, drawing and sound, driven through SDL's own
// event queue: Space leaves the title, every game is wrecked after 30 frames
// of driving, and Space on its lose screen starts the next one; Escape
// during the last ends the program. Prints "name value unit" lines, like the
// other window benchmarks. Needs a display (xvfb-run will do) and the game's
// assets beside it, which the build puts there.

#include "actors/car.h"
#include "game/game_program.h"
#include "game/globals.h"
#include "graphics/graphics_context.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "system/hooks.h"
#include "system/program_exit.h"
#include "system/sdl/sdl_program_startup.h"
#include "util/clock.h"

#include <SDL.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

int Games = 50;
int Hertz = 0;
constexpr int32_t FramesPerGame = 30;

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

double HeapInUseMegabytes() {
    return static_cast<double>(mallinfo2().uordblks) / 1048576.0;
}

void Press(SDL_Scancode scancode, Uint32 type = SDL_KEYDOWN) {
    SDL_Event key{};
    key.type = type;
    key.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    key.key.keysym.scancode = scancode;
    SDL_PushEvent(&key);
}

void Tap(SDL_Scancode scancode) {
    Press(scancode);
    Press(scancode, SDL_KEYUP);
}

struct TSession {
    bool titleLeft = false;
    const TCar* car = nullptr; // the game being played
    int32_t lastFrameCount = 0;
    int gamesStarted = 0;
    bool spacePressed = false;
    TClock::time_point spaceAt;
    std::vector<double> spaceToFrameMs;
    // At the first frame of every game after the first.
    std::vector<double> heapMegabytes;
    double residentAfterOne = 0;
    double heapAfterOne = 0;
};

TSession Session;

void Report() {
    auto& times = Session.spaceToFrameMs;
    std::sort(times.begin(), times.end());
    std::printf("games_played %d games\n", Session.gamesStarted - 1);
    std::printf("resident_after_1_game_mb %.2f MB\n", Session.residentAfterOne);
    std::printf("resident_after_%d_games_mb %.2f MB\n", Session.gamesStarted - 1,
                ResidentMegabytes());
    std::printf("heap_in_use_after_1_game_mb %.3f MB\n", Session.heapAfterOne);
    std::printf("heap_in_use_after_%d_games_mb %.3f MB\n", Session.gamesStarted - 1,
                HeapInUseMegabytes());
    // The software renderer's own buffers come and go in steps of 0.5 and
    // 1 MB whatever the game does: the range shows the heap stays within them.
    const auto [least, most] =
        std::minmax_element(Session.heapMegabytes.begin(), Session.heapMegabytes.end());
    std::printf("heap_in_use_least_mb %.3f MB\n", *least);
    std::printf("heap_in_use_most_mb %.3f MB\n", *most);
    std::printf("space_to_first_frame_median_ms %.2f ms\n", times[times.size() / 2]);
    std::printf("space_to_first_frame_max_ms %.2f ms\n", times.back());
    std::fflush(stdout);
}

// The first frame of a game: the start of play after the title, or the
// next game after Space. Its figures are taken as it is presented.
void OnFirstFrame() {
    Session.car = PlayerCar.get();
    Session.lastFrameCount = FrameCount;
    ++Session.gamesStarted;
    if (Session.spacePressed) {
        const std::chrono::duration<double, std::milli> took = TClock::now() - Session.spaceAt;
        Session.spaceToFrameMs.push_back(took.count());
        Session.spacePressed = false;
    }
    if (Session.gamesStarted >= 2) {
        Session.heapMegabytes.push_back(HeapInUseMegabytes());
    }
    if (Session.gamesStarted == 2) {
        Session.residentAfterOne = ResidentMegabytes();
        Session.heapAfterOne = HeapInUseMegabytes();
    }
    if (Session.gamesStarted == Games + 1) {
        Report();
        Tap(SDL_SCANCODE_ESCAPE);
    }
}

// Runs at the start of every PresentFrame: the title's, play's and the
// screens' alike.
THookData DrivePlay(int32_t, const THookData& data, const THookData&) {
    if (!PlayerCar) {
        return data; // the window's first frames, before the start-up made the game
    }
    if (!Session.titleLeft) {
        Tap(SDL_SCANCODE_SPACE);
        Press(SDL_SCANCODE_UP); // and drive from the first frame on
        Session.titleLeft = true;
    } else if (PlayerCar.get() != Session.car) {
        if (FrameCount == 1) {
            OnFirstFrame();
        }
    } else if (FrameCount == Session.lastFrameCount) {
        // Nothing counted since the last frame: the end screen is showing.
        if (!Session.spacePressed) {
            Session.spaceAt = TClock::now();
            Session.spacePressed = true;
            Tap(SDL_SCANCODE_SPACE);
        }
    } else {
        if (FrameCount >= FramesPerGame) {
            // Wrecked: the next frame's collision test opens the lose screen.
            PlayerCar->Damage = 101;
        }
        Session.lastFrameCount = FrameCount;
    }
    return data;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2) {
        Games = std::max(1, std::atoi(argv[1]));
    }
    if (argc >= 3) {
        Hertz = std::max(0, std::atoi(argv[2]));
    }
    StartSDLProgram(argc, argv, [] {
        InstallDraw2DDriver();
        AttachHook(FlipHook(), DrivePlay, nullptr, 0);
        StartGame(Hertz, MillisecondClock());
        RunFrameLoop();
    });
}
