#include "world/road_map.h"

#include "io/standard_output.h"
#include "util/random.h"
#include "util/runtime_error.h"
#include "world/city.h"
#include "world/pathfinder.h"
#include "world/tile_code.h"

#include <algorithm>
#include <cstddef>

namespace {

// The corners of the waypoint lattice, which every city has as waypoints.
constexpr int32_t LatticeLow = 4;
constexpr int32_t LatticeHigh = 36;
constexpr int32_t LatticeStep = 4;

// Upper bound of the random amount added to every step of a search: far
// below any real cost difference, it only breaks ties between equal paths.
constexpr float PathNoise = 0.0001f;

bool IsWaypoint(const tPoint& point) {
    return std::find(RoadPoints.begin(), RoadPoints.end(), point) != RoadPoints.end();
}

// Puts the start and the sewer at two diagonally opposite lattice corners.
// Both are waypoints, so a road always joins them.
void ChooseStartAndSewer() {
    constexpr tPoint NorthWest{LatticeLow, LatticeLow};
    constexpr tPoint NorthEast{LatticeHigh, LatticeLow};
    constexpr tPoint SouthWest{LatticeLow, LatticeHigh};
    constexpr tPoint SouthEast{LatticeHigh, LatticeHigh};
    switch (RandomInt(1, 4)) {
    case 1:
        StartPoint = NorthWest;
        SewerPoint = SouthEast;
        break;
    case 2:
        StartPoint = NorthEast;
        SewerPoint = SouthWest;
        break;
    case 3:
        StartPoint = SouthWest;
        SewerPoint = NorthEast;
        break;
    default:
        StartPoint = SouthEast;
        SewerPoint = NorthWest;
        break;
    }
}

} // namespace

int32_t tRoadMap::MakeMap() {
    // The bounds are the float values 0.3 and 0.9 widened, not the doubles:
    // the stored costs, and so the whole city, depend on the exact values.
    const auto low = static_cast<double>(0.3f);
    const auto high = static_cast<double>(0.9f);
    for (int32_t x = 0; x < W; ++x) {
        for (int32_t y = 0; y < H; ++y) {
            RoadGrid(x, y) = static_cast<float>(RandomRange(low, high));
        }
    }
    return 0;
}

int32_t tRoadMap::MakePoints() {
    RoadPoints.push_back({LatticeLow, LatticeLow});
    RoadPoints.push_back({LatticeHigh, LatticeHigh});
    RoadPoints.push_back({LatticeLow, LatticeHigh});
    RoadPoints.push_back({LatticeHigh, LatticeLow});
    for (int32_t i = 0; i < NUMPOINTS; ++i) {
        tPoint candidate;
        candidate.x = RandomInt(LatticeLow, LatticeHigh) / LatticeStep * LatticeStep;
        candidate.y = RandomInt(LatticeLow, LatticeHigh) / LatticeStep * LatticeStep;
        // A duplicate is dropped, not drawn again: the number of draws stays
        // fixed whatever the candidates turn out to be.
        if (IsWaypoint(candidate)) {
            continue;
        }
        RoadPoints.push_back(candidate);
        PrintLine(u"made point " + IntToText(static_cast<int32_t>(RoadPoints.size())));
    }
    return 0;
}

int32_t tRoadMap::MakePaths() {
    const size_t count = RoadPoints.size();
    for (size_t i = 0; i < count; ++i) {
        PrintLine(IntToText(static_cast<int32_t>(i)));
        for (size_t j = i + 1; j < RoadPoints.size(); ++j) {
            const tPoint from = RoadPoints[i];
            const tPoint to = RoadPoints[j];
            if (TPathfinder::FindPath(from.x, from.y, to.x, to.y) != 0) {
                CopyRoute();
            }
        }
    }
    return 0;
}

int32_t tRoadMap::CopyRoute() {
    const auto& route = TPathfinder::Route();
    const auto cells = static_cast<size_t>(TPathfinder::RouteLength());
    for (size_t i = 0; i < cells; ++i) {
        RoadGrid(route[2 * i], route[2 * i + 1]) = 0.0f;
    }
    return 0;
}

int32_t tRoadMap::LoadImageGrid(const THashTable<TImage>& imageLibrary) {
    // The outermost ring is never given a tile, so every cell visited has all
    // four neighbours inside the grid; ring cells that are road still count
    // in their inner neighbours' codes.
    for (int32_t x = 1; x < W - 1; ++x) {
        for (int32_t y = 1; y < H - 1; ++y) {
            const Text code = RoadTileCode(RoadGrid, x, y);
            if (code.empty()) {
                continue;
            }
            PrintLine(code);
            const Text name = RoadTileName(code);
            auto image = imageLibrary.ValueForKey(name);
            if (!image) {
                RaiseRuntimeError(u"missing image: " + name);
            }
            TileImages(x, y) = std::move(image);
        }
    }
    PrintLine(u"Done with map!");
    return 0;
}

int32_t BuildWorld(const THashTable<TImage>& imageLibrary) {
    tRoadMap::MakeMap();
    tRoadMap::MakePoints();
    // Four-way moves only. The pathfinder keeps a reference to RoadGrid, so
    // every route carved sees the ones carved before it.
    TPathfinder::SetUp(RoadGrid, 0, PathNoise);
    tRoadMap::MakePaths();
    tRoadMap::LoadImageGrid(imageLibrary);
    ChooseStartAndSewer();
    return 0;
}
