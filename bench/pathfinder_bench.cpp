// Speed of the grid pathfinder on the city's 40 x 40 grid, set up the way the
// map builder sets it up: four-way moves and a noise bound of 0.0001.

#include "util/random.h"
#include "world/grid.h"
#include "world/pathfinder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr int32_t CitySize = 40;

// Block costs in [0.3, 0.9), like a freshly made city before any road.
TGrid2D<float> MakeBlockGrid(int32_t seed) {
    SeedRandom(seed);
    TGrid2D<float> grid(CitySize, CitySize);
    for (int32_t x = 0; x < CitySize; ++x) {
        for (int32_t y = 0; y < CitySize; ++y) {
            grid(x, y) = static_cast<float>(RandomRange(0.3f, 0.9f));
        }
    }
    return grid;
}

struct TCell {
    int32_t x;
    int32_t y;
    bool operator==(const TCell&) const = default;
};

// The four lattice corners and up to 26 more distinct cells on the lattice of
// every fourth cell, as the city's waypoints are chosen.
std::vector<TCell> MakeWaypoints() {
    std::vector<TCell> points{{4, 4}, {36, 36}, {4, 36}, {36, 4}};
    for (int i = 0; i < 26; ++i) {
        const int32_t x = RandomInt(4, 36) / 4 * 4;
        const int32_t y = RandomInt(4, 36) / 4 * 4;
        if (std::find(points.begin(), points.end(), TCell{x, y}) == points.end()) {
            points.push_back({x, y});
        }
    }
    return points;
}

// One search from corner to corner of a grid without roads: nearly every
// cell is reached, the longest search the city can ask for.
void BM_CornerToCorner(benchmark::State& state) {
    const TGrid2D<float> grid = MakeBlockGrid(12345);
    TPathfinder::SetUp(grid, 0, 0.0001f);
    int64_t nodes = 0;
    for (auto _ : state) {
        SeedRandom(777); // the same noise, so every iteration does the same work
        benchmark::DoNotOptimize(TPathfinder::FindPath(0, 0, CitySize - 1, CitySize - 1));
        nodes += TPathfinder::NodeCount() - 1; // every node but the start was inserted
    }
    state.counters["searches"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["insertions"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CornerToCorner);

// The builder's whole use: a search between every pair of waypoints, each
// route carved into the grid as road before the next search.
void BM_CityRoads(benchmark::State& state) {
    const TGrid2D<float> blocks = MakeBlockGrid(2024);
    const std::vector<TCell> points = MakeWaypoints();
    int64_t searches = 0;
    for (auto _ : state) {
        TGrid2D<float> grid = blocks;
        TPathfinder::SetUp(grid, 0, 0.0001f);
        SeedRandom(777);
        for (size_t i = 0; i < points.size(); ++i) {
            for (size_t j = i + 1; j < points.size(); ++j) {
                if (TPathfinder::FindPath(points[i].x, points[i].y, points[j].x, points[j].y)) {
                    const std::vector<int32_t>& route = TPathfinder::Route();
                    for (size_t k = 0; k < route.size(); k += 2) {
                        grid(route[k], route[k + 1]) = 0.0f;
                    }
                }
                ++searches;
            }
        }
        benchmark::ClobberMemory();
    }
    state.counters["cities"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["searches"] =
        benchmark::Counter(static_cast<double>(searches), benchmark::Counter::kIsRate);
    state.counters["waypoints"] = static_cast<double>(points.size());
}
BENCHMARK(BM_CityRoads)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
