#include "util/random.h"
#include "world/pathfinder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

using Route = std::vector<int32_t>;

// Builds a grid from its columns: columns[x][y].
TGrid2D<float> GridFromColumns(std::initializer_list<std::initializer_list<float>> columns) {
    const auto width = static_cast<int32_t>(columns.size());
    const auto height = static_cast<int32_t>(columns.begin()->size());
    TGrid2D<float> grid(width, height);
    int32_t x = 0;
    for (const auto& column : columns) {
        int32_t y = 0;
        for (float value : column) {
            grid(x, y++) = value;
        }
        ++x;
    }
    return grid;
}

// The seed that `steps` generator steps after `seed` give. Reseeds.
int32_t SeedAfterSteps(int32_t seed, int steps) {
    SeedRandom(seed);
    for (int i = 0; i < steps; ++i) {
        RandomStep();
    }
    return RandomSeed();
}

// FNV-1a over the little-endian bytes of the route.
uint64_t RouteHash(const Route& route) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (int32_t value : route) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (static_cast<uint32_t>(value) >> shift) & 0xFFu;
            hash *= 0x100000001b3u;
        }
    }
    return hash;
}

class PathfinderTest : public ::testing::Test {
protected:
    void SetUp() override { SeedRandom(InitialRandomSeed); }

    // The pathfinder keeps a reference to the grid, so it lives in the fixture.
    TGrid2D<float> grid;
};

TEST_F(PathfinderTest, StraightRouteIsStoredGoalFirst) {
    grid.Resize(40, 40, 0.0f);
    TPathfinder::SetUp(grid, 0, 0.0001f);
    ASSERT_EQ(TPathfinder::FindPath(4, 4, 8, 4), 1);
    EXPECT_EQ(TPathfinder::RouteLength(), 5);
    EXPECT_EQ(TPathfinder::Route(), (Route{8, 4, 7, 4, 6, 4, 5, 4, 4, 4}));
}

TEST_F(PathfinderTest, StartEqualToGoalIsOneCellWithoutLookingAtTheGrid) {
    grid = GridFromColumns({{0, 0, 0}, {0, 5, 0}, {0, 0, 0}});
    TPathfinder::SetUp(grid, 0, 0.0001f);
    EXPECT_EQ(TPathfinder::FindPath(1, 1, 1, 1), 1);
    EXPECT_EQ(TPathfinder::RouteLength(), 1);
    EXPECT_EQ(TPathfinder::Route(), (Route{1, 1}));
    EXPECT_EQ(RandomSeed(), InitialRandomSeed);
}

TEST_F(PathfinderTest, ImpassableGoalFailsAtOnceAndKeepsThePreviousRoute) {
    grid = GridFromColumns({{0, 0}, {0, 0}, {0, 0}});
    TPathfinder::SetUp(grid, 0, 0.0001f);
    ASSERT_EQ(TPathfinder::FindPath(0, 0, 2, 1), 1);
    const Route previous = TPathfinder::Route();

    // Changed after SetUp: the pathfinder sees the caller's grid, not a copy.
    for (float blocked : {1.0f, 7.0f, std::numeric_limits<float>::quiet_NaN()}) {
        grid(2, 1) = blocked;
        const int32_t seed = RandomSeed();
        EXPECT_EQ(TPathfinder::FindPath(0, 0, 2, 1), 0) << blocked;
        EXPECT_EQ(TPathfinder::RouteLength(), 0);
        EXPECT_EQ(TPathfinder::Route(), previous);
        EXPECT_EQ(RandomSeed(), seed) << "no search was made";
    }
    grid(2, 1) = 0.99999994f; // the largest float below 1 is passable
    EXPECT_EQ(TPathfinder::FindPath(0, 0, 2, 1), 1);
}

TEST_F(PathfinderTest, EnclosedGoalExhaustsTheList) {
    grid.Resize(5, 5, 0.0f);
    for (int32_t x = 1; x <= 3; ++x) {
        for (int32_t y = 1; y <= 3; ++y) {
            grid(x, y) = 1.0f;
        }
    }
    grid(2, 2) = 0.0f;
    for (int32_t mode : {0, 1}) {
        TPathfinder::SetUp(grid, mode, 0.0001f);
        EXPECT_EQ(TPathfinder::FindPath(0, 0, 2, 2), 0);
        EXPECT_EQ(TPathfinder::RouteLength(), 0);
        EXPECT_EQ(TPathfinder::NodeCount(), 16) << "every cell outside the ring was reached";
    }
}

TEST_F(PathfinderTest, ImpassableStartIsNotExamined) {
    grid = GridFromColumns({{1}, {0}, {0}});
    TPathfinder::SetUp(grid, 0, 0.0001f);
    ASSERT_EQ(TPathfinder::FindPath(0, 0, 2, 0), 1);
    EXPECT_EQ(TPathfinder::Route(), (Route{2, 0, 1, 0, 0, 0}));
}

TEST_F(PathfinderTest, ModeDecidesDiagonalStepsAndCornerCutting) {
    grid.Resize(12, 12, 0.0f);
    for (int32_t x = 0; x < 12; ++x) {
        for (int32_t y = 0; y < 12; ++y) {
            grid(x, y) = static_cast<float>(RandomRange(0.0, 0.9));
        }
    }
    auto diagonalSteps = [] {
        const Route& route = TPathfinder::Route();
        int steps = 0;
        for (size_t i = 2; i < route.size(); i += 2) {
            const int dx = std::abs(route[i] - route[i - 2]);
            const int dy = std::abs(route[i + 1] - route[i - 1]);
            EXPECT_TRUE(dx <= 1 && dy <= 1 && dx + dy > 0) << "not a neighbour";
            steps += dx + dy == 2 ? 1 : 0;
        }
        return steps;
    };
    TPathfinder::SetUp(grid, 0, 0.0001f);
    ASSERT_EQ(TPathfinder::FindPath(0, 0, 11, 11), 1);
    EXPECT_EQ(diagonalSteps(), 0);
    TPathfinder::SetUp(grid, 1, 0.0001f);
    ASSERT_EQ(TPathfinder::FindPath(0, 0, 11, 11), 1);
    EXPECT_GT(diagonalSteps(), 0);

    // A diagonal between two impassable cells: mode 1 takes it, mode 2 not.
    grid = GridFromColumns({{0, 1}, {1, 0}});
    TPathfinder::SetUp(grid, 1, 0.0001f);
    ASSERT_EQ(TPathfinder::FindPath(0, 0, 1, 1), 1);
    EXPECT_EQ(TPathfinder::Route(), (Route{1, 1, 0, 0}));
    TPathfinder::SetUp(grid, 2, 0.0001f);
    EXPECT_EQ(TPathfinder::FindPath(0, 0, 1, 1), 0);
    TPathfinder::SetUp(grid, 0, 0.0001f);
    EXPECT_EQ(TPathfinder::FindPath(0, 0, 1, 1), 0);
}

TEST_F(PathfinderTest, EqualFIsExpandedInInsertionOrder) {
    // Without noise (1, 0) and (0, 1) both have F = 0.25 + 0.125. (1, 0) is
    // reached first, so it is expanded first and reaches the goal.
    grid.Resize(2, 2, 0.0f);
    TPathfinder::SetUp(grid, 0, 0.0f);
    ASSERT_EQ(TPathfinder::FindPath(0, 0, 1, 1), 1);
    EXPECT_EQ(TPathfinder::Route(), (Route{1, 1, 1, 0, 0, 0}));
}

TEST_F(PathfinderTest, EveryStepCostTakesTwoGeneratorStepsEvenWithoutNoise) {
    // Two cells are reached; expanding (1, 0) also meets the start again,
    // which is no cheaper parent and draws nothing.
    grid.Resize(3, 1, 0.0f);
    for (float noise : {0.0f, 0.5f}) {
        TPathfinder::SetUp(grid, 0, noise);
        const int32_t seed = RandomSeed();
        ASSERT_EQ(TPathfinder::FindPath(2, 0, 0, 0), 1);
        const int32_t after = RandomSeed();
        EXPECT_EQ(after, SeedAfterSteps(seed, 4)) << noise;
    }
}

TEST_F(PathfinderTest, CheaperParentIsAdoptedInPlace) {
    // (2, 1) is first reached diagonally from (1, 0) at cost 0.7071 + 1.0607;
    // expanding (1, 1) then offers 0.75 + 0.25 + 0.5, well below the threshold.
    //   y=0:  #   .25  #   #
    //   y=1:  S   .5   .5  G.5
    grid = GridFromColumns({{1, 0}, {0.25f, 0.5f}, {1, 0.5f}, {1, 0.5f}});
    TPathfinder::SetUp(grid, 1, 0.0f);
    const int32_t seed = RandomSeed();
    ASSERT_EQ(TPathfinder::FindPath(0, 1, 3, 1), 1);
    EXPECT_EQ(TPathfinder::Route(), (Route{3, 1, 2, 1, 1, 1, 0, 1}));
    // Four new nodes and one re-parenting, each with its own draw.
    const int32_t after = RandomSeed();
    EXPECT_EQ(after, SeedAfterSteps(seed, 10));
}

TEST_F(PathfinderTest, ReparentTestIsEvaluatedInDouble) {
    // (1, 1) is reached from (2, 1) at float(1.9 + 0.25), which rounds up;
    // (1, 0) has the same cost as (2, 1) and is expanded next. In double its
    // threshold 1.9 + 0.25 lies just below the stored cost and (1, 0) becomes
    // the parent; rounded to float the two would be equal and it would not.
    grid = GridFromColumns({{1, 0}, {0.9f, 0}, {0.5f, 0.9f}, {0.5f, 1}});
    TPathfinder::SetUp(grid, 0, 0.0f);
    ASSERT_EQ(TPathfinder::FindPath(3, 0, 0, 1), 1);
    EXPECT_EQ(TPathfinder::Route(), (Route{0, 1, 1, 1, 1, 0, 2, 0, 3, 0}));
}

TEST_F(PathfinderTest, NegativeCellCannotCloseALoopThroughTheStart) {
    // Expanding (0, 0) finds the start dearer than itself; adopting it as the
    // start's parent would make the route endless.
    grid = GridFromColumns({{-10}, {0}, {0}, {0}});
    TPathfinder::SetUp(grid, 0, 0.0001f);
    ASSERT_EQ(TPathfinder::FindPath(1, 0, 3, 0), 1);
    EXPECT_EQ(TPathfinder::Route(), (Route{3, 0, 2, 0, 1, 0}));
}

// Expected values come from an independent, deliberately plain
// re-implementation of the search and the generator (a Python list as the
// search list, dictionaries as nodes), run on the same seeded grids.
TEST_F(PathfinderTest, SeededSearchesReproduceKnownRoutes) {
    auto fill = [this](double lo, double hi) {
        grid.Resize(40, 40);
        for (int32_t x = 0; x < 40; ++x) {
            for (int32_t y = 0; y < 40; ++y) {
                grid(x, y) = static_cast<float>(RandomRange(lo, hi));
            }
        }
    };
    auto expectRoute = [](int32_t length, uint64_t hash, int32_t seed) {
        EXPECT_EQ(TPathfinder::RouteLength(), length);
        EXPECT_EQ(RouteHash(TPathfinder::Route()), hash);
        EXPECT_EQ(RandomSeed(), seed);
    };

    // The way the city is made: block costs, then routes carved as road.
    SeedRandom(12345);
    fill(0.3f, 0.9f);
    ASSERT_EQ(RandomSeed(), 1734123027);
    TPathfinder::SetUp(grid, 0, 0.0001f);
    ASSERT_EQ(TPathfinder::FindPath(4, 4, 36, 36), 1);
    expectRoute(65, 0x05b129b79ac509f7u, 1593531380);
    const Route& route = TPathfinder::Route();
    for (size_t i = 0; i < route.size(); i += 2) {
        grid(route[i], route[i + 1]) = 0.0f;
    }
    ASSERT_EQ(TPathfinder::FindPath(36, 4, 4, 36), 1);
    expectRoute(67, 0xdfdc7c4c60533dc6u, 177430018);

    // Eight-way moves around impassable cells, with far more re-parenting.
    SeedRandom(777);
    fill(0.0, 1.25);
    TPathfinder::SetUp(grid, 1, 0.05f);
    ASSERT_EQ(TPathfinder::FindPath(2, 3, 36, 37), 1);
    expectRoute(48, 0x97d1b0d9965a9172u, 386756626);

    SeedRandom(777);
    fill(0.0, 1.25);
    TPathfinder::SetUp(grid, 2, 0.05f);
    ASSERT_EQ(TPathfinder::FindPath(2, 3, 36, 37), 1);
    expectRoute(51, 0x325b9cdcae59732du, 698332342);
}

TEST_F(PathfinderTest, MisuseIsReportedInsteadOfCorruptingMemory) {
    grid.Resize(4, 4, 0.0f);
    TPathfinder::SetUp(grid, 0, 0.0001f);
    EXPECT_THROW(TPathfinder::FindPath(0, 0, 4, 0), std::out_of_range);
    EXPECT_THROW(TPathfinder::FindPath(-1, 0, 1, 1), std::out_of_range);
    grid.Resize(3, 3, 0.0f);
    EXPECT_THROW(TPathfinder::FindPath(0, 0, 1, 1), std::logic_error);
}

} // namespace
