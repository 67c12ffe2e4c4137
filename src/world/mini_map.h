#pragma once

// The city at one pixel per cell, for the minimap overlay.

#include <cstdint>

// Makes MiniMapImage from RoadGrid: a 40 x 40 image whose pixel (x, y) is
// cell (x, y), opaque black for road and opaque white for a block. Returns 0.
int32_t BuildMiniMap();
