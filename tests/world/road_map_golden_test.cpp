#include "city_snapshot.h"
#include "tile_set.h"
#include "world/city.h"
#include "world/tile_code.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Figures of seeded cities as an independent model of the generator
// (reference_city.py, in this folder) computes them. The builder, the grid
// search and the random generator must all agree with it, draw for draw, to
// reproduce them.
struct TGoldenCity {
    int32_t seed;
    size_t waypoints;
    int32_t roadCells;
    int32_t tiles;
    int32_t corner; // 1 to 4, the draw that chose the start and sewer corners
    uint64_t gridHash;
    uint64_t codeHash;
    int32_t finalSeed;
};

const TGoldenCity GoldenCities[] = {
    {1, 25, 241, 241, 2, 0xf76d57c26fd0c6dfu, 0xe45a9d12a8968961u, 1449161468},
    {4660, 28, 235, 235, 4, 0xb8c4823cfc70bce3u, 0x667bd0f1c0354df1u, 1089578215},
    {20240601, 29, 248, 248, 4, 0x09dedca4e5caaacdu, 0x50d9b28c4b33a2e5u, 607817208},
    {777, 27, 229, 229, 3, 0x2dcea2d86888714fu, 0x306ba716be802e31u, 1375703185},
    {123456789, 25, 296, 296, 2, 0xd0d51c3493353731u, 0xe9684e037f1d757bu, 599823028},
};

class TFnv1a {
public:
    void Add(uint8_t byte) {
        _hash ^= byte;
        _hash *= 0x100000001b3u;
    }
    uint64_t Hash() const { return _hash; }

private:
    uint64_t _hash = 0xcbf29ce484222325u;
};

// The float bits of every cell, little-endian, column by column.
uint64_t GridHash(const TGrid2D<float>& grid) {
    TFnv1a fnv;
    for (int32_t x = 0; x < grid.Width(); ++x) {
        for (int32_t y = 0; y < grid.Height(); ++y) {
            // Copied rather than bit_cast: the browser's C++ library lacks it.
            uint32_t bits = 0;
            const float cell = grid(x, y);
            std::memcpy(&bits, &cell, sizeof bits);
            for (int shift = 0; shift < 32; shift += 8) {
                fnv.Add(static_cast<uint8_t>(bits >> shift));
            }
        }
    }
    return fnv.Hash();
}

// The codes of the cells inside the ring, column by column, joined by ",".
uint64_t CodeHash(const TGrid2D<float>& grid) {
    TFnv1a fnv;
    bool first = true;
    for (int32_t x = 1; x < grid.Width() - 1; ++x) {
        for (int32_t y = 1; y < grid.Height() - 1; ++y) {
            if (!first) {
                fnv.Add(',');
            }
            first = false;
            for (char16_t digit : RoadTileCode(grid, x, y)) {
                fnv.Add(static_cast<uint8_t>(digit));
            }
        }
    }
    return fnv.Hash();
}

int32_t CountCells(const TCitySnapshot& city, bool tiles) {
    int32_t count = 0;
    for (int32_t x = 0; x < CityWidth; ++x) {
        for (int32_t y = 0; y < CityHeight; ++y) {
            count += tiles ? city.tileImages(x, y) != nullptr : city.roadGrid(x, y) == 0.0f;
        }
    }
    return count;
}

int32_t CornerDraw(const TCitySnapshot& city) {
    const tPoint corners[] = {{4, 4}, {36, 4}, {4, 36}, {36, 36}};
    for (int32_t k = 0; k < 4; ++k) {
        if (city.start == corners[k]) {
            return k + 1;
        }
    }
    return 0;
}

TEST(GoldenCities, MatchTheIndependentModel) {
    THashTable<TImage> library;
    FillTileLibrary(library);
    for (const TGoldenCity& golden : GoldenCities) {
        SCOPED_TRACE(golden.seed);
        const TCitySnapshot city = BuildCity(golden.seed, library);
        EXPECT_EQ(city.roadPoints.size(), golden.waypoints);
        EXPECT_EQ(CountCells(city, false), golden.roadCells);
        EXPECT_EQ(CountCells(city, true), golden.tiles);
        EXPECT_EQ(CornerDraw(city), golden.corner);
        EXPECT_EQ(GridHash(city.roadGrid), golden.gridHash);
        EXPECT_EQ(CodeHash(city.roadGrid), golden.codeHash);
        EXPECT_EQ(city.finalSeed, golden.finalSeed);
    }
}

TEST(GoldenCities, TheSameSeedGivesTheSameCity) {
    THashTable<TImage> library;
    FillTileLibrary(library);
    const TCitySnapshot first = BuildCity(99, library);
    // Something else in between, so that nothing left over from the first
    // build can make the second one look alike.
    BuildCity(100, library);
    const TCitySnapshot second = BuildCity(99, library);
    EXPECT_EQ(GridHash(first.roadGrid), GridHash(second.roadGrid));
    EXPECT_EQ(first.lines, second.lines);
    EXPECT_EQ(first.finalSeed, second.finalSeed);
    EXPECT_EQ(first.start, second.start);
    for (int32_t x = 0; x < CityWidth; ++x) {
        for (int32_t y = 0; y < CityHeight; ++y) {
            EXPECT_EQ(first.tileImages(x, y), second.tileImages(x, y));
        }
    }
}

} // namespace
