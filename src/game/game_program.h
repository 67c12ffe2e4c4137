#pragma once

// The game's spine: the start-up that creates the game-wide state and the
// frame loop that runs play, one simulation step and one drawn frame per
// 60 Hz slot. The win and lose screens take over from inside a frame.

#include <cstdint>

// The window's caption.
inline constexpr char16_t GameTitle[] = u"Sewer Run";

// Everything from the empty grids to the title screen and the engine sound:
// the steps below in their order, then the title screen. A missing picture
// or sound stops the program with a message naming the file.
void StartGame();

// The start-up's steps, one by one, so that each can be measured alone.
// Empty grids, the caption, a seed from the clock, and the 800 x 600 window
// paced at `hertz` (0: unpaced) showing 160 x 120 logical units.
void OpenGameWindow(int32_t hertz);
// The car strip, the arrow and the sewer; the empty police car list.
void LoadPictures();
// The engine and crash sounds, cued; the empty pedestrian list.
void LoadSounds();
// The city from the image library, its minimap and the player's car.
void BuildCity();
// The pedestrian picture and the pedestrians on the pavements.
void PlacePedestrians();

// Runs frames until Escape is pressed before one.
void RunFrameLoop();

// One frame of play, presented and paced.
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
