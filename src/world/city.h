#pragma once

// The generated city: the grids and points that the road map builder fills
// once at start-up and that the drawing, the cars and the pedestrians read
// every frame. Cell (x, y) covers the world pixels 64x .. 64x + 63 by
// 64y .. 64y + 63; x is the column and the first index of every grid.

#include "graphics/image.h"
#include "world/grid.h"

#include <cstdint>
#include <memory>
#include <vector>

// A cell position.
struct tPoint {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const tPoint&, const tPoint&) = default;
};

inline constexpr int32_t CityWidth = 40;
inline constexpr int32_t CityHeight = 40;
// World pixels along each side of a cell, and of its tile picture.
inline constexpr int32_t CellSize = 64;

// 0.0 is road; anything else is a city block, whose value is the extra cost
// of entering it when routes are searched.
extern TGrid2D<float> RoadGrid;
// The road tile picture of every cell that has one. Null cells cannot be
// driven on.
extern TGrid2D<std::shared_ptr<TImage>> TileImages;
// The waypoints that the roads join, in the order they were made.
extern std::vector<tPoint> RoadPoints;
// The player's start and the goal, at opposite corners of the city.
extern tPoint StartPoint;
extern tPoint SewerPoint;
// One pixel per cell: road black, blocks white.
extern std::shared_ptr<TImage> MiniMapImage;

// Makes everything above new and empty: a 40 x 40 RoadGrid of 0.0, no
// tiles, no waypoints, both points (0, 0) and no minimap. The grids are
// resized in place, so references to them stay valid. Start-up calls this
// before the city is built; the state already has this shape at load time.
void CreateCityGrids();
