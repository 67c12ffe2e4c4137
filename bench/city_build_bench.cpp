// Speed of building the city (BuildWorld: block costs, waypoints, up to 435
// searches with carving, tile assignment) and of loading the image library
// at start-up.
//
// BuildWorld is timed over a range of seeds, since the cost depends on how
// many waypoints a seed draws; "median_ms" is the median of the per-seed
// times. "searches" and "nodes" are per city, averaged over the seeds:
// nodes counts the cells the searches reached, each one a list insertion.
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

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int32_t SeedCount = 32;

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
    {
        TSilencedStdout quiet;
        for (int32_t s = 1; s <= SeedCount; ++s) {
            const auto [n, reached] = CountSearchWork(s);
            searches += n;
            nodes += reached;
        }
    }
    state.counters["seeds"] = static_cast<double>(perSeed.size());
    state.counters["median_ms"] = Median(perSeed);
    state.counters["searches"] = static_cast<double>(searches) / SeedCount;
    state.counters["nodes"] = static_cast<double>(nodes) / SeedCount;
}
BENCHMARK(BM_BuildWorld)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
