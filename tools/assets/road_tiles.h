#pragma once

// The fifteen road tiles r1.png ... r1234.png, one for every set of open
// sides; the code lists them as digits in ascending order, "1" north, "2"
// east, "3" south, "4" west.
//
// The cars read two colours from these pictures: the wall colour bounces a
// car back, the white pavement slows it down, and the pedestrians stand on
// the white. So those two exact colours mark exactly those regions and no
// other pixel uses them.
//
// Every open side has the same profile, so any two tiles that face each
// other join: 10 px of wall, 6 px of pavement, 32 px of carriageway, 6 px of
// pavement, 10 px of wall. A closed side is wall at least 10 px deep. A car
// at full speed moves about 1.7 px a frame, and a police ram can add one more
// move in the same frame, so a 10 px wall can never be crossed between two
// looks at the pixel under the car.

#include "pixmap/pixmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

inline constexpr std::array<std::string_view, 15> RoadTileCodes = {
    "1", "2", "3", "4", "12", "13", "14", "23", "24", "34", "123", "124", "134", "234", "1234"};

inline constexpr int32_t TileSize = 64;
inline constexpr int32_t WallDepth = 10;
inline constexpr int32_t PavementWidth = 6;
inline constexpr int32_t CarriagewayWidth = TileSize - 2 * (WallDepth + PavementWidth);

inline constexpr uint32_t WallColour = 0xFFB97A57;
inline constexpr uint32_t PavementColour = 0xFFFFFFFF;

// The finished 64 x 64 picture: the ground in its colours, with asphalt
// texture, kerbs and road markings on the carriageway.
std::shared_ptr<TPixmap> PaintRoadTile(std::string_view code);
