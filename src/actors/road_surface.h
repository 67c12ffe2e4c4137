#pragma once

// What a car finds under its centre: the road tile of the cell it is in and
// the colour of the tile's pixel beneath it. The cars and the pedestrians
// read the tiles' own pixmaps, so the pictures are the collision map.

#include "graphics/image.h"
#include "pixmap/pixmap.h"

#include <cstdint>
#include <memory>

// Bounces a car back.
inline constexpr uint32_t WallColour = 0xFFB97A57;
// Slows a car; pedestrians stand on it.
inline constexpr uint32_t SlowColour = 0xFFFFFFFF;
// What white ground leaves of a car's velocity each frame.
inline constexpr float WhiteGroundFactor = 0.9f;

// The tile picture of the cell holding world pixel (px, py), or null where
// there is none. Positions left of or above the city belong to no cell:
// truncating division would otherwise fold -63 .. -1 into cell 0 with a
// negative pixel offset.
std::shared_ptr<TImage> TileAtPixel(int32_t px, int32_t py);

// The pixmap a car collides with on that tile (its first frame's), or null.
std::shared_ptr<TPixmap> CollisionPixmap(const TImage& tile);

// The colour of world pixel (px, py) on the pixmap of the tile it lies in;
// 0, which means free road, for a pixel the pixmap does not have.
uint32_t TilePixel(const TPixmap& pixmap, int32_t px, int32_t py);
