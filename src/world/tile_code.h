#pragma once

// Which road tile picture a road cell shows: its code names the neighbours
// that are road too, one digit each, always in the order
//   "1" north (x, y - 1), "2" east (x + 1, y), "3" south (x, y + 1), "4" west (x - 1, y),
// so 13 is a north-south straight and 1234 a crossing. The picture for code c
// is the image-library entry "r" + c + ".png".

#include "util/text.h"
#include "world/grid.h"

#include <cstdint>

// The code of cell (x, y), or the empty text for a block cell and for a road
// cell without road neighbours. All four neighbours must lie in the grid.
Text RoadTileCode(const TGrid2D<float>& roadGrid, int32_t x, int32_t y);

// The image-library key of the picture for a code: "r" + code + ".png".
Text RoadTileName(const Text& code);
