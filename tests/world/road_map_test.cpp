#include "city_snapshot.h"
#include "tile_set.h"
#include "util/random.h"
#include "util/runtime_error.h"
#include "util/utf8.h"
#include "world/city.h"
#include "world/road_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t SeedCount = 48;
const std::vector<tPoint> LatticeCorners = {{4, 4}, {36, 36}, {4, 36}, {36, 4}};

bool IsRoad(const TGrid2D<float>& grid, int32_t x, int32_t y) {
    return grid(x, y) == 0.0f;
}

// The tile code written out from the direction table, kept apart from the
// builder's own helper.
std::string ExpectedCode(const TGrid2D<float>& grid, int32_t x, int32_t y) {
    if (!IsRoad(grid, x, y)) {
        return "";
    }
    std::string code;
    code += IsRoad(grid, x, y - 1) ? "1" : "";
    code += IsRoad(grid, x + 1, y) ? "2" : "";
    code += IsRoad(grid, x, y + 1) ? "3" : "";
    code += IsRoad(grid, x - 1, y) ? "4" : "";
    return code;
}

bool IsRing(int32_t x, int32_t y) {
    return x == 0 || y == 0 || x == CityWidth - 1 || y == CityHeight - 1;
}

// The cells reachable from `from` by four-way steps over cells that `open`
// accepts, marked 1.
template <typename Open>
TGrid2D<uint8_t> Reachable(tPoint from, Open open) {
    TGrid2D<uint8_t> seen(CityWidth, CityHeight, 0);
    std::deque<tPoint> queue{from};
    seen(from.x, from.y) = 1;
    while (!queue.empty()) {
        const tPoint p = queue.front();
        queue.pop_front();
        for (const tPoint step : {tPoint{1, 0}, tPoint{0, 1}, tPoint{-1, 0}, tPoint{0, -1}}) {
            const tPoint n{p.x + step.x, p.y + step.y};
            if (seen.Contains(n.x, n.y) && !seen(n.x, n.y) && open(n.x, n.y)) {
                seen(n.x, n.y) = 1;
                queue.push_back(n);
            }
        }
    }
    return seen;
}

class CityBuilds : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FillTileLibrary(library);
        for (int32_t seed = 1; seed <= SeedCount; ++seed) {
            cities.push_back(BuildCity(seed, library));
        }
    }
    static void TearDownTestSuite() {
        cities.clear();
        library.Clear();
    }

    static THashTable<TImage> library;
    static std::vector<TCitySnapshot> cities;
};

THashTable<TImage> CityBuilds::library;
std::vector<TCitySnapshot> CityBuilds::cities;

TEST_F(CityBuilds, WaypointsLieOnTheLatticeWithItsCornersFirst) {
    for (const auto& city : cities) {
        SCOPED_TRACE(city.seed);
        const auto& points = city.roadPoints;
        ASSERT_GE(points.size(), 4u);
        EXPECT_LE(points.size(), 30u);
        EXPECT_TRUE(std::equal(LatticeCorners.begin(), LatticeCorners.end(), points.begin()));
        std::set<std::pair<int32_t, int32_t>> distinct;
        for (const tPoint& p : points) {
            EXPECT_TRUE(p.x % 4 == 0 && p.x >= 4 && p.x <= 36) << p.x;
            EXPECT_TRUE(p.y % 4 == 0 && p.y >= 4 && p.y <= 36) << p.y;
            EXPECT_TRUE(IsRoad(city.roadGrid, p.x, p.y));
            distinct.insert({p.x, p.y});
        }
        EXPECT_EQ(distinct.size(), points.size());
    }
}

TEST_F(CityBuilds, RoadCellsInsideTheRingGetTheTileOfTheirRoadNeighbours) {
    for (const auto& city : cities) {
        SCOPED_TRACE(city.seed);
        for (int32_t x = 0; x < CityWidth; ++x) {
            for (int32_t y = 0; y < CityHeight; ++y) {
                const float cost = city.roadGrid(x, y);
                EXPECT_TRUE(cost == 0.0f || (cost >= 0.3f && cost < 0.9f)) << cost;
                const auto& tile = city.tileImages(x, y);
                if (IsRing(x, y)) {
                    EXPECT_EQ(tile, nullptr) << x << "," << y;
                    continue;
                }
                const std::string code = ExpectedCode(city.roadGrid, x, y);
                if (code.empty()) {
                    // Blocks, and road cells without road neighbours.
                    EXPECT_EQ(tile, nullptr) << x << "," << y;
                } else {
                    EXPECT_EQ(tile, library.ValueForKey(Utf8ToText("r" + code + ".png")))
                        << x << "," << y << " " << code;
                }
            }
        }
    }
}

TEST_F(CityBuilds, StartAndSewerAreOppositeCornersJoinedByRoad) {
    std::set<int32_t> startCorners;
    for (const auto& city : cities) {
        SCOPED_TRACE(city.seed);
        const auto isCorner = [](tPoint p) {
            return std::find(LatticeCorners.begin(), LatticeCorners.end(), p) !=
                   LatticeCorners.end();
        };
        EXPECT_TRUE(isCorner(city.start));
        EXPECT_EQ(city.sewer.x, 40 - city.start.x);
        EXPECT_EQ(city.sewer.y, 40 - city.start.y);
        startCorners.insert(city.start.x * 100 + city.start.y);

        const auto byRoad = Reachable(
            city.start, [&](int32_t x, int32_t y) { return IsRoad(city.roadGrid, x, y); });
        for (const tPoint& p : city.roadPoints) {
            EXPECT_TRUE(byRoad(p.x, p.y)) << p.x << "," << p.y;
        }
        // What a car can drive on: only the cells that have a tile.
        const auto byTile = Reachable(
            city.start, [&](int32_t x, int32_t y) { return city.tileImages(x, y) != nullptr; });
        EXPECT_TRUE(byTile(city.sewer.x, city.sewer.y));
    }
    EXPECT_EQ(startCorners.size(), 4u) << "every corner should start some city";
}

TEST_F(CityBuilds, MiniMapShowsRoadBlackAndBlocksWhite) {
    for (const auto& city : cities) {
        SCOPED_TRACE(city.seed);
        ASSERT_NE(city.miniMap, nullptr);
        EXPECT_EQ(city.miniMap->width, CityWidth);
        EXPECT_EQ(city.miniMap->height, CityHeight);
        EXPECT_EQ(city.miniMap->flags, 0);
        ASSERT_EQ(city.miniMap->CountFrames(), 1);
        const auto& pixmap = *city.miniMap->pixmaps[0];
        // The city is not symmetric about its diagonal, so a transposed map
        // fails here too.
        for (int32_t x = 0; x < CityWidth; ++x) {
            for (int32_t y = 0; y < CityHeight; ++y) {
                const uint32_t expected = IsRoad(city.roadGrid, x, y) ? 0xFF000000u : 0xFFFFFFFFu;
                EXPECT_EQ(pixmap.ReadPixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST_F(CityBuilds, PrintsPointsPairIndexesCodesAndDone) {
    const auto codes = AllTileCodes();
    for (const auto& city : cities) {
        SCOPED_TRACE(city.seed);
        const auto& lines = city.lines;
        size_t line = 0;
        const auto next = [&]() { return line < lines.size() ? lines[line++] : "<end>"; };
        const auto count = static_cast<int32_t>(city.roadPoints.size());
        for (int32_t made = 5; made <= count; ++made) {
            EXPECT_EQ(next(), "made point " + std::to_string(made));
        }
        for (int32_t i = 0; i < count; ++i) {
            EXPECT_EQ(next(), std::to_string(i));
        }
        for (int32_t x = 1; x < CityWidth - 1; ++x) {
            for (int32_t y = 1; y < CityHeight - 1; ++y) {
                if (city.tileImages(x, y)) {
                    const std::string code = next();
                    EXPECT_EQ(code, ExpectedCode(city.roadGrid, x, y));
                    EXPECT_NE(std::find(codes.begin(), codes.end(), Utf8ToText(code)), codes.end())
                        << code;
                }
            }
        }
        EXPECT_EQ(next(), "Done with map!");
        EXPECT_EQ(line, lines.size());
    }
}

// A hand-made grid: every cell a block except the roads placed here.
class LoadImageGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateCityGrids();
        RoadGrid.Fill(0.5f);
    }
    static void Road(std::initializer_list<tPoint> cells) {
        for (const tPoint& p : cells) {
            RoadGrid(p.x, p.y) = 0.0f;
        }
    }
    void MakeRoads() {
        Road({{5, 4}, {5, 5}, {5, 6}});                         // a north-south line
        Road({{10, 9}, {11, 10}, {10, 11}, {9, 10}, {10, 10}}); // a crossing
        Road({{30, 29}, {31, 30}, {29, 30}, {30, 30}});         // a T open to north, east, west
        Road({{20, 20}});                                       // isolated
        Road({{0, 7}, {1, 7}, {38, 38}, {39, 38}});             // touching the outer ring
    }
};

TEST_F(LoadImageGridTest, CodesFollowTheRoadNeighboursInDigitOrder) {
    MakeRoads();
    THashTable<TImage> library;
    FillTileLibrary(library);
    testing::internal::CaptureStdout();
    tRoadMap::LoadImageGrid(library);
    const auto lines = SplitLines(testing::internal::GetCapturedStdout());

    // Visited column by column, top to bottom within a column.
    const std::vector<std::pair<tPoint, std::string>> expected = {
        {{1, 7}, "4"},   {{5, 4}, "3"},      {{5, 5}, "13"},  {{5, 6}, "1"},   {{9, 10}, "2"},
        {{10, 9}, "3"},  {{10, 10}, "1234"}, {{10, 11}, "1"}, {{11, 10}, "4"}, {{29, 30}, "2"},
        {{30, 29}, "3"}, {{30, 30}, "124"},  {{31, 30}, "4"}, {{38, 38}, "2"}};
    ASSERT_EQ(lines.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& [cell, code] = expected[i];
        EXPECT_EQ(lines[i], code);
        EXPECT_EQ(TileImages(cell.x, cell.y), library.ValueForKey(Utf8ToText("r" + code + ".png")))
            << cell.x << "," << cell.y;
    }
    EXPECT_EQ(lines.back(), "Done with map!");

    EXPECT_EQ(TileImages(20, 20), nullptr);
    EXPECT_EQ(TileImages(0, 7), nullptr);
    EXPECT_EQ(TileImages(39, 38), nullptr);
    int32_t tiles = 0;
    for (int32_t x = 0; x < CityWidth; ++x) {
        for (int32_t y = 0; y < CityHeight; ++y) {
            tiles += TileImages(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(tiles, static_cast<int32_t>(expected.size()));
}

TEST_F(LoadImageGridTest, AMissingPictureIsFatalAndNamesIt) {
    MakeRoads();
    THashTable<TImage> library;
    FillTileLibrary(library, u"124");
    testing::internal::CaptureStdout();
    try {
        tRoadMap::LoadImageGrid(library);
        testing::internal::GetCapturedStdout();
        FAIL() << "no error";
    } catch (const TRuntimeError& error) {
        const auto lines = SplitLines(testing::internal::GetCapturedStdout());
        EXPECT_EQ(error.Message(), u"missing image: r124.png");
        // The code is printed before it is looked up; the map is not done.
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "124");
    }

    // A key that is present but holds no picture (a file that failed to
    // load) is missing as well.
    library.Insert(u"r124.png", nullptr);
    testing::internal::CaptureStdout();
    try {
        tRoadMap::LoadImageGrid(library);
        FAIL() << "no error";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"missing image: r124.png");
    }
    testing::internal::GetCapturedStdout();
}

} // namespace
