// The road tiles as the cars and the pedestrian spawner read them: two exact
// colours with meaning, everything else free road.

#include "asset_files.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr uint32_t WallColour = 0xFFB97A57;
constexpr uint32_t SlowColour = 0xFFFFFFFF;
constexpr int Size = 64;

// A car moves at most about 1.7 px a frame, and a police ram can move it
// once more in the same frame before its pixel is looked at.
constexpr double LongestMove = 2 * 1.7;

const std::array<std::string, 15> Codes = {"1",  "2",  "3",   "4",   "12",  "13",  "14",  "23",
                                           "24", "34", "123", "124", "134", "234", "1234"};

enum class Ground { Wall, Slow, Free };

Ground GroundOf(uint32_t argb) {
    if (argb == WallColour) {
        return Ground::Wall;
    }
    return argb == SlowColour ? Ground::Slow : Ground::Free;
}

class Tile {
public:
    explicit Tile(const std::string& tileCode)
        : code(tileCode), pixmap(LoadPicture("r" + tileCode + ".png")) {}

    bool Open(int side) const {
        return code.find(static_cast<char>('1' + side)) != std::string::npos;
    }
    Ground At(int x, int y) const { return GroundOf(pixmap->ReadPixel(x, y)); }

    // Pixel `i` of the edge row or column on a side (0 north, 1 east, 2
    // south, 3 west), counted left to right or top to bottom.
    Ground Edge(int side, int i) const {
        switch (side) {
        case 0:
            return At(i, 0);
        case 1:
            return At(Size - 1, i);
        case 2:
            return At(i, Size - 1);
        default:
            return At(0, i);
        }
    }

    std::string code;
    std::shared_ptr<TPixmap> pixmap;
};

const std::map<std::string, Tile>& Tiles() {
    static const auto tiles = [] {
        std::map<std::string, Tile> loaded;
        for (const auto& code : Codes) {
            loaded.emplace(code, Tile(code));
        }
        return loaded;
    }();
    return tiles;
}

// Across an open side: wall, pavement, carriageway, pavement, wall.
Ground ProfileAt(int i) {
    if (i < 10 || i >= 54) {
        return Ground::Wall;
    }
    return i < 16 || i >= 48 ? Ground::Slow : Ground::Free;
}

bool NearlyEqual(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16, 24}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > 12) {
            return false;
        }
    }
    return true;
}

TEST(RoadTiles, LoadAsOpaque64By64PicturesWithoutNearMisses) {
    for (const auto& [code, tile] : Tiles()) {
        ASSERT_NE(tile.pixmap, nullptr) << code;
        ASSERT_EQ(tile.pixmap->width, Size) << code;
        ASSERT_EQ(tile.pixmap->height, Size) << code;
        int nearMisses = 0;
        int translucent = 0;
        for (int y = 0; y < Size; ++y) {
            for (int x = 0; x < Size; ++x) {
                const uint32_t pixel = tile.pixmap->ReadPixel(x, y);
                translucent += Alpha(pixel) != 0xFF;
                // A colour that looks like wall or pavement but is not exactly
                // it would fool the player: the car would drive through it.
                nearMisses += pixel != WallColour && pixel != SlowColour &&
                              (NearlyEqual(pixel, WallColour) || NearlyEqual(pixel, SlowColour));
            }
        }
        EXPECT_EQ(translucent, 0) << code;
        EXPECT_EQ(nearMisses, 0) << code;
    }
}

TEST(RoadTiles, OpenSidesShareOneProfileAndClosedSidesAreWall) {
    for (const auto& [code, tile] : Tiles()) {
        for (int side = 0; side < 4; ++side) {
            for (int i = 0; i < Size; ++i) {
                const Ground expected = tile.Open(side) ? ProfileAt(i) : Ground::Wall;
                EXPECT_EQ(tile.Edge(side, i), expected) << code << " side " << side << " at " << i;
            }
        }
    }
}

TEST(RoadTiles, NeighboursJoinAtTheirEdges) {
    for (const auto& [westCode, west] : Tiles()) {
        for (const auto& [eastCode, east] : Tiles()) {
            if (west.Open(1) && east.Open(3)) {
                for (int y = 0; y < Size; ++y) {
                    EXPECT_EQ(west.At(Size - 1, y), east.At(0, y)) << westCode << "|" << eastCode;
                }
            }
            // `west` above, `east` below.
            if (west.Open(2) && east.Open(0)) {
                for (int x = 0; x < Size; ++x) {
                    EXPECT_EQ(west.At(x, Size - 1), east.At(x, 0)) << westCode << "/" << eastCode;
                }
            }
        }
    }
}

TEST(RoadTiles, PavementLinesEveryCarriagewayAndNothingElse) {
    for (const auto& [code, tile] : Tiles()) {
        // The middle is always carriageway: every tile has an arm into it.
        for (int y = 28; y < 36; ++y) {
            for (int x = 28; x < 36; ++x) {
                EXPECT_EQ(tile.At(x, y), Ground::Free) << code << " at " << x << "," << y;
            }
        }
        for (int y = 0; y < Size; ++y) {
            for (int x = 0; x < Size; ++x) {
                const Ground ground = tile.At(x, y);
                // Carriageway never touches a wall directly ...
                if (ground == Ground::Free) {
                    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < Size && ny < Size) {
                            EXPECT_NE(tile.At(nx, ny), Ground::Wall)
                                << code << " at " << x << "," << y;
                        }
                    }
                }
                // ... and pavement lies only along carriageway.
                if (ground == Ground::Slow) {
                    bool nearRoad = false;
                    for (int dy = -6; dy <= 6 && !nearRoad; ++dy) {
                        for (int dx = -6; dx <= 6 && !nearRoad; ++dx) {
                            const int nx = x + dx;
                            const int ny = y + dy;
                            nearRoad = nx >= 0 && ny >= 0 && nx < Size && ny < Size &&
                                       tile.At(nx, ny) == Ground::Free;
                        }
                    }
                    EXPECT_TRUE(nearRoad) << code << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(RoadTiles, FreeGroundIsOneRegionReachingEveryOpenSide) {
    for (const auto& [code, tile] : Tiles()) {
        std::vector<bool> seen(Size * Size, false);
        std::vector<std::pair<int, int>> todo = {{32, 32}};
        seen[32 * Size + 32] = true;
        std::array<bool, 4> reaches = {};
        while (!todo.empty()) {
            const auto [x, y] = todo.back();
            todo.pop_back();
            reaches[0] = reaches[0] || y == 0;
            reaches[1] = reaches[1] || x == Size - 1;
            reaches[2] = reaches[2] || y == Size - 1;
            reaches[3] = reaches[3] || x == 0;
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < Size && ny < Size && !seen[ny * Size + nx] &&
                    tile.At(nx, ny) != Ground::Wall) {
                    seen[ny * Size + nx] = true;
                    todo.emplace_back(nx, ny);
                }
            }
        }
        int unreached = 0;
        for (int y = 0; y < Size; ++y) {
            for (int x = 0; x < Size; ++x) {
                unreached += tile.At(x, y) != Ground::Wall && !seen[y * Size + x];
            }
        }
        EXPECT_EQ(unreached, 0) << code;
        for (int side = 0; side < 4; ++side) {
            EXPECT_EQ(reaches[side], tile.Open(side)) << code << " side " << side;
        }
    }
}

// Beyond a closed side, and diagonally beyond a corner, there may be no tile
// at all, which loses the game. A car on free ground or pavement must hit a
// wall pixel before it can get there, whatever its direction.
TEST(RoadTiles, WallsAreThickerThanTheLongestMoveInOneFrame) {
    for (const auto& [code, tile] : Tiles()) {
        double nearest = Size;
        for (int y = 0; y < Size; ++y) {
            for (int x = 0; x < Size; ++x) {
                if (tile.At(x, y) == Ground::Wall) {
                    continue;
                }
                const double cx = x + 0.5;
                const double cy = y + 0.5;
                const std::array<double, 4> toSide = {cy, Size - cx, Size - cy, cx};
                for (int side = 0; side < 4; ++side) {
                    if (!tile.Open(side)) {
                        nearest = std::min(nearest, toSide[side]);
                    }
                }
                for (const auto& [px, py] : {std::pair{0, 0}, {Size, 0}, {0, Size}, {Size, Size}}) {
                    nearest = std::min(nearest, std::hypot(cx - px, cy - py));
                }
            }
        }
        // With room to spare: twice the longest move.
        EXPECT_GT(nearest, 2 * LongestMove) << code;
    }
}

// The spawner tries random cells and points 2 ... 62 px into a tile until
// 501 pedestrians stand on white; every tile must give it a fair chance.
TEST(RoadTiles, PedestriansFindPavementWhereTheyAreSampled) {
    for (const auto& [code, tile] : Tiles()) {
        int white = 0;
        for (int y = 2; y <= 62; ++y) {
            for (int x = 2; x <= 62; ++x) {
                white += tile.At(x, y) == Ground::Slow;
            }
        }
        EXPECT_GT(white, 61 * 61 / 20) << code;
    }
}

} // namespace
