#pragma once

// The three full-screen pictures, 160 x 120 like the game's drawing surface.
// They show the game's own world from above: road tiles, cars and sprites,
// darkened so that the texts stand out.

#include "pixmap/pixmap.h"

#include <memory>

inline constexpr int32_t ScreenWidth = 160;
inline constexpr int32_t ScreenHeight = 120;

// img/logo.png: the title, naming the game and asking for Space.
std::shared_ptr<TPixmap> PaintTitleScreen();

// img/end.png: the wreck among police cars. The game writes "You Lose!" near
// (30, 10) in its 8 x 16 font, so that band is left dark and plain; the keys
// that play again or quit are written in the lower part.
std::shared_ptr<TPixmap> PaintLoseScreen();

// img/win.png: the car at the open sewer with the money. The game writes
// "You escaped!" at (10, 10) in green, so that band is left dark and plain;
// the keys that play again or quit are written in the lower part, as on the
// lose picture.
std::shared_ptr<TPixmap> PaintWinScreen();
