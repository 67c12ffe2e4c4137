#pragma once

// Best-first (A*-family) search for a path between two cells of a grid of
// per-cell costs. A cell value below 1.0 is passable and is the extra cost of
// entering it; 1.0 or more is impassable. A small random amount can be added
// to every step, so that alternatives of equal cost are chosen at random.
//
// The pathfinder is a class of functions only: its state is process-wide and
// lasts from one call to the next, so searches must not overlap. The road map
// builder sets it up once on the city's cost grid and then searches between
// every pair of waypoints, carving each route into that same grid.

#include "world/grid.h"

#include <cstdint>
#include <vector>

class TPathfinder {
public:
    TPathfinder() = delete;

    // The fixed cost of every step, added to the value of the cell entered.
    static constexpr float BasicCost = 0.25f;
    // The diagonal factor is the float nearest 1.4142, not sqrt(2): routes and
    // the random draws along them depend on the exact value, and a seeded
    // city is only reproduced with this one.
    static constexpr float Root2 = 1.4142f;

    // Keeps a reference to `grid` (not a copy: later changes to it are seen
    // by later searches) and takes its size. `diagonalMode` 0 allows the four
    // straight moves only, any other value the diagonals too, and 2 forbids
    // a diagonal that cuts the corner of an impassable cell. `costNoise` is
    // the upper bound of the random extra cost of each step. Returns 0.
    static int32_t SetUp(const TGrid2D<float>& grid, int32_t diagonalMode, float costNoise);
    static int32_t SetUp(const TGrid2D<float>&& grid, int32_t diagonalMode,
                         float costNoise) = delete;

    // Returns 1 and replaces Route when a path from the start to the goal
    // exists, otherwise returns 0 and leaves Route as it was. RouteLength is
    // set by every call. Throws std::logic_error before SetUp and
    // std::out_of_range for a cell outside the grid.
    static int32_t FindPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY);

    // The last route found: RouteLength cells as consecutive pairs x, y, the
    // goal first and the start last.
    static const std::vector<int32_t>& Route();
    // Cells in the last route found, or 0 when the last search found none.
    static int32_t RouteLength();

    // How many cells the last search reached, for measuring the search.
    static int32_t NodeCount();
};
