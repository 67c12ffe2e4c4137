#pragma once

// A copy of everything one seeded BuildWorld and BuildMiniMap produced,
// including what they printed, so that several tests can examine the same
// cities without building them again.

#include "containers/hash_table.h"
#include "graphics/image.h"
#include "util/random.h"
#include "world/city.h"
#include "world/grid.h"
#include "world/mini_map.h"
#include "world/road_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TCitySnapshot {
    int32_t seed = 0;
    TGrid2D<float> roadGrid;
    TGrid2D<std::shared_ptr<TImage>> tileImages;
    std::vector<tPoint> roadPoints;
    tPoint start;
    tPoint sewer;
    std::shared_ptr<TImage> miniMap;
    // Standard output, split into lines without their CR LF.
    std::vector<std::string> lines;
    // The generator's seed when BuildWorld returned.
    int32_t finalSeed = 0;
};

inline std::vector<std::string> SplitLines(const std::string& output) {
    std::vector<std::string> lines;
    size_t begin = 0;
    for (size_t end; (end = output.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
        lines.push_back(output.substr(begin, end - begin));
    }
    if (begin < output.size()) {
        lines.push_back(output.substr(begin));
    }
    return lines;
}

// Builds the city of `seed` from fresh grids, as start-up does.
inline TCitySnapshot BuildCity(int32_t seed, const THashTable<TImage>& library) {
    CreateCityGrids();
    SeedRandom(seed);
    TCitySnapshot city;
    city.seed = seed;
    testing::internal::CaptureStdout();
    try {
        BuildWorld(library);
    } catch (...) {
        testing::internal::GetCapturedStdout();
        throw;
    }
    city.finalSeed = RandomSeed();
    BuildMiniMap();
    city.lines = SplitLines(testing::internal::GetCapturedStdout());
    city.roadGrid = RoadGrid;
    city.tileImages = TileImages;
    city.roadPoints = RoadPoints;
    city.start = StartPoint;
    city.sewer = SewerPoint;
    city.miniMap = MiniMapImage;
    return city;
}
