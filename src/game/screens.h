#pragma once

// The game's full-screen pictures and its few texts over play. Each screen
// is a loop of its own, one paced frame per pass; the win and lose screens
// never return, and Escape ends the program from any of them.
//
// Space on the win or lose screen asks for another game. The screen cannot
// go back into the frame it was opened from, which is abandoned: it throws
// TPlayAgain, and the frame loop, which catches it, starts the next game.

#include <cstdint>
#include <functional>

// Shows the title until Space is pressed; Escape ends the program. Space is
// tested first, so a waiting Escape is left for the frame loop.
int32_t TitleScreen();

struct TPlayAgain {};

// Stops the engine, plays the crash once at a fifth of its rate and shows
// the shaking "You Lose!" until Escape or Space. Space is tested first, so
// a waiting Escape is left for the frame loop, which then ends the program
// before the next game's first frame.
[[noreturn]] void LoseScreen();

// Stops the engine and shows the flickering green "You escaped!" until
// Escape or Space, tested as on the lose screen.
[[noreturn]] void WinScreen();

// Ends the program when Escape was pressed since the last time it was asked.
void EndProgramOnEscape();

// Tests and benchmarks that play without the end screens set a stand-in:
// the screen is then not shown, the stand-in is told which one it was, and
// the update that opened it is abandoned with TEndScreenOpened, as in the
// game nothing after the screen runs. Empty in the game.
enum class TEndScreen { Win, Lose };
struct TEndScreenOpened {
    TEndScreen screen;
};
extern std::function<void(TEndScreen)> EndScreenStandIn;

// The two red messages over the first seconds of play; leaves white.
int32_t DrawStartMessages();

// The city map in the top-left corner, one unit per cell, with the start,
// the sewer and the car (at world position carX, carY) marked. Leaves white.
void DrawMiniMapOverlay(float carX, float carY);
