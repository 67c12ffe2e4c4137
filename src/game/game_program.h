#pragma once

// The game's spine: the start-up that creates the game-wide state and the
// frame loop that runs play, one simulation step and one drawn frame per
// 60 Hz slot. The win and lose screens take over from inside a frame; Space
// there starts the next game in the same window.

#include "util/clock.h"

#include <cstdint>
#include <functional>

// The window's caption.
inline constexpr char16_t GameTitle[] = u"Sewer Run";

// The start-up, from the empty grids to the title screen and the engine
// sound, in its order: the grids and the caption, the seed, the window, the
// car strip, the police car list, the arrow and the sewer, the two sounds,
// the pedestrian list, the image library, the city, its minimap, the
// player's car, the pedestrian picture, the pedestrians, the title and the
// engine sound. The game paces at 60 Hz with a seed from the clock; tests
// and benchmarks choose both (hertz 0: unpaced). A missing picture or sound
// stops the program with a message naming the file.
void StartGame(int32_t hertz, int32_t seed);

// The start-up's steps that are the game's own, so that a benchmark can time
// each alone.

// The 800 x 600 window paced at `hertz`, translucent blending, a logical
// surface of 160 x 120 units.
void OpenGameWindow(int32_t hertz);
void LoadCarStrip();
void LoadArrowAndSewer();
// Each sound cued, paused at its start, on a channel of its own.
void LoadEngineSound();
void LoadCrashSound();
void LoadPedestrianPicture();
// Play draws in white, and the engine loop starts to sound.
void StartEngineSound();

// The next game after a win or a lose, in the window and with the pictures
// and sounds of the first: a new city from `seed` with its minimap, the
// player's car at its start, no police cars, new pedestrians, FrameCount 0,
// the crash sound stopped and the engine sound running again. There is no
// title. The city, the car and the pedestrians are those the start-up makes
// from the same seed.
void StartNextGame(int32_t seed);

// Where each next game's seed comes from: the millisecond clock in the game.
using TSeedSource = std::function<int32_t()>;

// Runs frames until Escape is pressed before one. A win or lose screen left
// with Space abandons its frame and starts the next game from `nextSeed`.
void RunFrameLoop(const TSeedSource& nextSeed = MillisecondClock);

// One frame of play, presented and paced; P or Pause pauses the game on it.
void RunFrame();

// StartGame, then RunFrameLoop: the whole game.
void RunGame();

// The player's car at the centre of the start cell, with the camera on it.
int32_t CreatePlayerCar();

// The road tiles with the camera's origin, and the minimap while M is held.
int32_t DrawWorld();

// The arrow circling the screen centre towards the sewer cell's corner.
void DrawSewerArrow(float carX, float carY);

// The health bar: 50 units long for an undamaged car, empty at 100.
void DrawDamageBar(int32_t damage);
