// The pathfinder against a plain model of its search: one list walked node
// by node for every insertion. The pathfinder skips over parts of that list,
// which must never change where a node lands, so both must find the same
// routes, reach the same cells and draw the same random numbers on grids
// that make long lists, many equal F values and cheaper parents found for
// nodes still waiting (which leaves the list out of order).

#include "util/numeric.h"
#include "util/random.h"
#include "world/pathfinder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct TModelNode {
    int32_t x = 0;
    int32_t y = 0;
    int32_t parent = -1;
    float cost = 0.0f;
    float dist = 0.0f;
    int32_t after = -1;
};

struct TModelResult {
    int32_t found = 0;
    std::vector<int32_t> route;
    int32_t nodes = 0;
};

// The search as a single list walked from the node being expanded.
class TModelSearch {
public:
    TModelSearch(const TGrid2D<float>& grid, int32_t mode, float noise)
        : _grid(grid), _mode(mode), _noise(noise), _cells(grid.Width(), grid.Height(), -1) {}

    TModelResult Find(int32_t sx, int32_t sy, int32_t gx, int32_t gy) {
        TModelResult result;
        if (sx == gx && sy == gy) {
            return {1, {sx, sy}, 0};
        }
        if (!(_grid(gx, gy) < 1.0f)) {
            return result;
        }
        Add(sx, sy, -1);
        int32_t goal = -1;
        for (int32_t current = 0; current != -1 && goal == -1; current = _nodes[current].after) {
            goal = Expand(current, gx, gy);
        }
        result.nodes = static_cast<int32_t>(_nodes.size());
        if (goal != -1) {
            result.found = 1;
            for (int32_t p = goal; p != -1; p = _nodes[p].parent) {
                result.route.push_back(_nodes[p].x);
                result.route.push_back(_nodes[p].y);
            }
        }
        return result;
    }

private:
    double F(int32_t n) const {
        return static_cast<double>(_nodes[n].dist) + static_cast<double>(_nodes[n].cost);
    }

    int32_t Add(int32_t x, int32_t y, int32_t parent) {
        _nodes.push_back({x, y, parent});
        _cells(x, y) = static_cast<int32_t>(_nodes.size()) - 1;
        return _cells(x, y);
    }

    float Step(int32_t from, float cell, bool diagonal) {
        const double r = RandomRange(0.0, static_cast<double>(_noise));
        const double base = static_cast<double>(_nodes[from].cost);
        const double basic = static_cast<double>(TPathfinder::BasicCost);
        if (!diagonal) {
            return static_cast<float>(base + basic + static_cast<double>(cell) + r);
        }
        return static_cast<float>(base + static_cast<double>(TPathfinder::Root2) *
                                             (basic + static_cast<double>(cell) + r));
    }

    float Heuristic(int32_t x, int32_t y, int32_t gx, int32_t gy) const {
        const int32_t ax = AbsInt(x - gx);
        const int32_t ay = AbsInt(y - gy);
        if (_mode == 0) {
            return static_cast<float>((ax + ay) / 8.0);
        }
        const double root2 = static_cast<double>(TPathfinder::Root2);
        return ax > ay ? static_cast<float>(0.1 * ((ax - ay) + ay * root2))
                       : static_cast<float>(0.1 * ((ay - ax) + ax * root2));
    }

    bool Passable(int32_t x, int32_t y) const { return _grid(x, y) < 1.0f; }

    int32_t Expand(int32_t current, int32_t gx, int32_t gy) {
        static constexpr int32_t Moves[8][2] = {{1, 0}, {0, 1},  {-1, 0},  {0, -1},
                                                {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
        for (int32_t m = 0; m < (_mode == 0 ? 4 : 8); ++m) {
            const bool diagonal = m >= 4;
            const int32_t cx = _nodes[current].x;
            const int32_t cy = _nodes[current].y;
            const int32_t x = cx + Moves[m][0];
            const int32_t y = cy + Moves[m][1];
            if (x < 0 || x >= _grid.Width() || y < 0 || y >= _grid.Height() || !Passable(x, y)) {
                continue;
            }
            if (_mode == 2 && diagonal && !(Passable(x, cy) && Passable(cx, y))) {
                continue;
            }
            const float cell = _grid(x, y);
            if (const int32_t k = _cells(x, y); k != -1) {
                const double threshold =
                    static_cast<double>(_nodes[current].cost) +
                    static_cast<double>(TPathfinder::BasicCost) +
                    static_cast<double>(cell) * static_cast<double>(TPathfinder::Root2) +
                    static_cast<double>(_noise);
                bool ancestor = false;
                for (int32_t p = current; p != -1 && !ancestor; p = _nodes[p].parent) {
                    ancestor = p == k;
                }
                if (static_cast<double>(_nodes[k].cost) > threshold && !ancestor) {
                    _nodes[k].parent = current;
                    _nodes[k].cost = Step(current, cell, diagonal);
                }
                continue;
            }
            const int32_t n = Add(x, y, current);
            _nodes[n].cost = Step(current, cell, diagonal);
            _nodes[n].dist = Heuristic(x, y, gx, gy);
            int32_t p = current;
            while (_nodes[p].after != -1 && F(_nodes[p].after) <= F(n)) {
                p = _nodes[p].after;
            }
            _nodes[n].after = _nodes[p].after;
            _nodes[p].after = n;
            if (x == gx && y == gy) {
                return n;
            }
        }
        return -1;
    }

    const TGrid2D<float>& _grid;
    int32_t _mode;
    float _noise;
    TGrid2D<int32_t> _cells;
    std::vector<TModelNode> _nodes;
};

// Open ground with scattered walls; costs on a coarse scale so that many F
// values tie, a few negative cells, and large noise so that cheaper parents
// turn up for waiting nodes.
TGrid2D<float> MakeGrid(int32_t side) {
    TGrid2D<float> grid(side, side);
    for (int32_t x = 0; x < side; ++x) {
        for (int32_t y = 0; y < side; ++y) {
            const int32_t pick = RandomInt(0, 19);
            grid(x, y) = pick < 3 ? 1.0f : pick == 3 ? -0.125f : static_cast<float>(pick % 4) / 4;
        }
    }
    return grid;
}

TEST(PathfinderModelTest, LandsEveryNodeWhereTheListWalkWould) {
    int32_t searches = 0;
    int32_t longSearches = 0;
    for (int32_t trial = 0; trial < 60; ++trial) {
        SeedRandom(1000 + trial);
        const int32_t mode = trial % 3;
        const float noise = trial % 2 == 0 ? 0.0001f : 0.75f;
        const TGrid2D<float> grid = MakeGrid(24 + trial % 17);
        const int32_t side = grid.Width();
        TPathfinder::SetUp(grid, mode, noise);
        for (int32_t search = 0; search < 8; ++search) {
            const int32_t sx = RandomInt(0, side - 1);
            const int32_t sy = RandomInt(0, side - 1);
            const int32_t gx = RandomInt(0, side - 1);
            const int32_t gy = RandomInt(0, side - 1);
            const int32_t seed = RandomSeed();

            const TModelResult expected = TModelSearch(grid, mode, noise).Find(sx, sy, gx, gy);
            const int32_t modelSeed = RandomSeed();
            SeedRandom(seed);
            const int32_t found = TPathfinder::FindPath(sx, sy, gx, gy);

            SCOPED_TRACE(testing::Message() << "trial " << trial << " search " << search);
            ASSERT_EQ(found, expected.found);
            EXPECT_EQ(TPathfinder::NodeCount(), expected.nodes);
            EXPECT_EQ(RandomSeed(), modelSeed);
            if (found != 0) {
                EXPECT_EQ(TPathfinder::Route(), expected.route);
            }
            ++searches;
            longSearches += expected.nodes > 100 ? 1 : 0;
        }
    }
    // The grids must have made long lists, or the skipping was never tried.
    EXPECT_GT(longSearches, searches / 4);
}

} // namespace
