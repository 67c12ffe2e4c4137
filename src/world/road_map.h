#pragma once

// The road map builder: makes a new random city once at start-up.
//
// Every cell gets a random block cost; waypoints are picked on a lattice of
// every fourth cell; every pair of waypoints is joined by the path the grid
// pathfinder finds on those costs, and each path is carved into the grid as
// road at once, so that later paths follow the roads already there instead
// of running beside them. Road cells then get the tile picture matching
// their road neighbours, and the start and the sewer go to opposite corners.
//
// Every random draw happens in a fixed order, so a seeded generator gives
// the same city every time.

#include "containers/hash_table.h"
#include "graphics/image.h"
#include "world/city.h"

#include <cstdint>

// A class of functions only: the state it works on is the city (city.h).
class tRoadMap {
public:
    tRoadMap() = delete;

    static constexpr int32_t W = CityWidth;
    static constexpr int32_t H = CityHeight;
    // One bit per tile code digit "1" to "4"; the codes themselves are texts.
    static constexpr int32_t r1 = 1;
    static constexpr int32_t r2 = 2;
    static constexpr int32_t r3 = 4;
    static constexpr int32_t r4 = 8;
    // Random waypoint candidates drawn besides the four lattice corners.
    static constexpr int32_t NUMPOINTS = 26;

    // Fills RoadGrid with block costs in [0.3, 0.9). Returns 0.
    static int32_t MakeMap();
    // Appends the four lattice corners and the distinct random candidates to
    // RoadPoints, printing "made point " and the count for each candidate
    // kept. Returns 0.
    static int32_t MakePoints();
    // Joins every pair of waypoints and carves the routes, printing the
    // index of each waypoint as its pairs begin. Returns 0.
    static int32_t MakePaths();
    // Carves the pathfinder's last route into RoadGrid as road. Returns 0.
    static int32_t CopyRoute();
    // Gives every road cell inside the outermost ring that has a road
    // neighbour its tile picture from `imageLibrary`, printing each code,
    // then "Done with map!". A missing picture is the runtime error
    // "missing image: r<code>.png". Returns 0.
    static int32_t LoadImageGrid(const THashTable<TImage>& imageLibrary);
};

// Builds the whole city with the tile pictures of `imageLibrary`: RoadGrid,
// RoadPoints, TileImages, StartPoint and SewerPoint. Expects them as
// CreateCityGrids leaves them. Returns 0.
//
// The game passes its image library; the table is a parameter rather than
// read from the game's global so that the world needs nothing of the game
// layer above it, and tests can hand in tiles of their own.
int32_t BuildWorld(const THashTable<TImage>& imageLibrary);
