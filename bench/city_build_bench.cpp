// Speed of building the city (BuildWorld: block costs, waypoints, up to 435
// searches with carving, tile assignment) and of loading the image library
// at start-up.
//
// BuildWorld is timed over a range of seeds, since the cost depends on how
// many waypoints a seed draws; "median_ms" and "p95_ms" are taken over the
// per-seed times (the fastest run of each seed: about 15 runs each, so that a
// run slowed by the rest of the machine is outvoted). "searches" and "nodes" are
// per city, averaged over the seeds: nodes counts the cells the searches
// reached, each one a list insertion. "checksum" folds every seed's RoadGrid
// bits, tile pictures, waypoints, corners and the generator's seed after
// building into one number, so that a faster builder can be shown to build
// the very same cities: compare it before and after a change.
//
// Both functions print progress lines; standard output is sent to /dev/null
// while they run, so the figures include writing the lines but not a
// terminal's speed.

#include "game/image_library.h"
#include "pixmap/pixmap.h"
#include "pixmap/png_writer.h"
#include "util/random.h"
#include "util/utf8.h"
#include "world/city.h"
#include "world/pathfinder.h"
#include "world/road_map.h"
#include "world/tile_code.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int32_t SeedCount = 50;

// Sends standard output to /dev/null for the object's lifetime.
class TSilencedStdout {
public:
    TSilencedStdout() {
        std::fflush(stdout);
        _saved = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~TSilencedStdout() {
        std::fflush(stdout);
        dup2(_saved, STDOUT_FILENO);
        close(_saved);
    }
    TSilencedStdout(const TSilencedStdout&) = delete;
    TSilencedStdout& operator=(const TSilencedStdout&) = delete;

private:
    int _saved;
};

const THashTable<TImage>& TileLibrary() {
    static THashTable<TImage>* library = [] {
        auto* table = new THashTable<TImage>;
        for (int bits = 1; bits < 16; ++bits) {
            Text code;
            for (int digit = 0; digit < 4; ++digit) {
                if (bits & (1 << digit)) {
                    code += static_cast<char16_t>(u'1' + digit);
                }
            }
            table->Insert(u"r" + code + u".png", TImage::Create(64, 64, 1, 0, 0, 0, 0));
        }
        return table;
    }();
    return *library;
}

// Runs the builder's steps with the pair loop spelled out, to count what
// the searches do. Returns {searches, nodes}.
std::pair<int64_t, int64_t> CountSearchWork(int32_t seed) {
    CreateCityGrids();
    SeedRandom(seed);
    tRoadMap::MakeMap();
    tRoadMap::MakePoints();
    TPathfinder::SetUp(RoadGrid, 0, 0.0001f);
    int64_t searches = 0;
    int64_t nodes = 0;
    for (size_t i = 0; i < RoadPoints.size(); ++i) {
        for (size_t j = i + 1; j < RoadPoints.size(); ++j) {
            ++searches;
            if (TPathfinder::FindPath(RoadPoints[i].x, RoadPoints[i].y, RoadPoints[j].x,
                                      RoadPoints[j].y) != 0) {
                tRoadMap::CopyRoute();
            }
            nodes += TPathfinder::NodeCount();
        }
    }
    return {searches, nodes};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Nearest rank.
double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

// FNV-1a, 64 bits.
class TChecksum {
public:
    void Add(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            _hash ^= (value >> shift) & 0xFFu;
            _hash *= 0x100000001b3u;
        }
    }
    uint64_t Value() const { return _hash; }

private:
    uint64_t _hash = 0xcbf29ce484222325u;
};

// Everything BuildWorld leaves behind for the seed just built.
void AddCity(TChecksum& sum, const THashTable<TImage>& library) {
    // A tile is known by the neighbour bits of its code, 1 to 15.
    std::map<const TImage*, uint32_t> tileNumbers;
    for (uint32_t bits = 1; bits < 16; ++bits) {
        Text code;
        for (uint32_t digit = 0; digit < 4; ++digit) {
            if (bits & (1u << digit)) {
                code += static_cast<char16_t>(u'1' + digit);
            }
        }
        tileNumbers.emplace(library.ValueForKey(RoadTileName(code)).get(), bits);
    }
    for (int32_t x = 0; x < RoadGrid.Width(); ++x) {
        for (int32_t y = 0; y < RoadGrid.Height(); ++y) {
            sum.Add(std::bit_cast<uint32_t>(RoadGrid(x, y)));
            const auto& tile = TileImages(x, y);
            sum.Add(tile ? tileNumbers.at(tile.get()) : 0u);
        }
    }
    for (const tPoint& point : RoadPoints) {
        sum.Add(static_cast<uint32_t>(point.x));
        sum.Add(static_cast<uint32_t>(point.y));
    }
    for (const tPoint& point : {StartPoint, SewerPoint}) {
        sum.Add(static_cast<uint32_t>(point.x));
        sum.Add(static_cast<uint32_t>(point.y));
    }
    sum.Add(static_cast<uint32_t>(RandomSeed()));
}

void BM_BuildWorld(benchmark::State& state) {
    const auto& library = TileLibrary();
    // The fastest run of each seed, in milliseconds.
    std::map<int32_t, double> fastest;
    int32_t seed = 0;
    {
        TSilencedStdout quiet;
        for (auto _ : state) {
            seed = seed % SeedCount + 1;
            const auto begin = std::chrono::steady_clock::now();
            CreateCityGrids();
            SeedRandom(seed);
            BuildWorld(library);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - begin;
            auto [it, fresh] = fastest.try_emplace(seed, took.count());
            it->second = std::min(it->second, took.count());
            benchmark::DoNotOptimize(TileImages(4, 4));
        }
    }
    std::vector<double> perSeed;
    for (const auto& [s, ms] : fastest) {
        perSeed.push_back(ms);
    }
    int64_t searches = 0;
    int64_t nodes = 0;
    TChecksum checksum;
    {
        TSilencedStdout quiet;
        for (int32_t s = 1; s <= SeedCount; ++s) {
            CreateCityGrids();
            SeedRandom(s);
            BuildWorld(library);
            AddCity(checksum, library);
        }
        for (int32_t s = 1; s <= SeedCount; ++s) {
            const auto [n, reached] = CountSearchWork(s);
            searches += n;
            nodes += reached;
        }
    }
    state.counters["seeds"] = static_cast<double>(perSeed.size());
    state.counters["median_ms"] = Median(perSeed);
    state.counters["p95_ms"] = Percentile(perSeed, 0.95);
    // Split in two halves of 32 bits: a counter is a double.
    state.counters["checksum_hi"] = static_cast<double>(checksum.Value() >> 32);
    state.counters["checksum_lo"] = static_cast<double>(checksum.Value() & 0xFFFFFFFFu);
    state.counters["searches"] = static_cast<double>(searches) / SeedCount;
    state.counters["nodes"] = static_cast<double>(nodes) / SeedCount;
}
BENCHMARK(BM_BuildWorld)->Unit(benchmark::kMillisecond)->MinTime(6.0);

// A program directory holding img/ with the 15 road tiles, 64 x 64 each,
// drawn as a plain road so that they compress like simple pixel art.
std::filesystem::path MadeProgramDirectory() {
    static const std::filesystem::path dir = [] {
        const auto root = std::filesystem::temp_directory_path() /
                          ("sewer-bench-img-" + std::to_string(getpid()));
        std::filesystem::create_directories(root / "img");
        for (int bits = 1; bits < 16; ++bits) {
            std::string code;
            for (int digit = 0; digit < 4; ++digit) {
                if (bits & (1 << digit)) {
                    code += static_cast<char>('1' + digit);
                }
            }
            auto tile = CreatePixmap(64, 64, FormatRGBA8888);
            tile->ClearPixels(0xFFB97A57);
            for (int32_t y = 8; y < 56; ++y) {
                for (int32_t x = 8; x < 56; ++x) {
                    const bool edge = x < 12 || x >= 52 || y < 12 || y >= 52;
                    tile->WritePixel(x, y, edge ? 0xFFFFFFFF : 0xFF404048 + (x * y % 3));
                }
            }
            SavePixmapPNG(*tile, Utf8ToText((root / "img" / ("r" + code + ".png")).string()), 9);
        }
        return root;
    }();
    return dir;
}

void LoadLibraryFrom(benchmark::State& state, const std::filesystem::path& programDir) {
    if (!std::filesystem::is_directory(programDir / "img")) {
        state.SkipWithError("no img directory there");
        return;
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(programDir);
    {
        TSilencedStdout quiet;
        for (auto _ : state) {
            LoadImageLibrary();
        }
    }
    std::filesystem::current_path(previous);
    int64_t pictures = 0;
    for ([[maybe_unused]] const auto& entry : ImageLibrary) {
        ++pictures;
    }
    state.counters["pictures"] = static_cast<double>(pictures);
}

void BM_LoadImageLibrary_MadeTiles(benchmark::State& state) {
    LoadLibraryFrom(state, MadeProgramDirectory());
}
BENCHMARK(BM_LoadImageLibrary_MadeTiles)->Unit(benchmark::kMicrosecond);

// The generated assets beside the benchmark in the build tree, when the
// build has made them.
void BM_LoadImageLibrary_ProgramDirectory(benchmark::State& state) {
    LoadLibraryFrom(state, std::filesystem::read_symlink("/proc/self/exe").parent_path());
}
BENCHMARK(BM_LoadImageLibrary_ProgramDirectory)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                    ("sewer-bench-img-" + std::to_string(getpid())),
                                ignored);
    return 0;
}
