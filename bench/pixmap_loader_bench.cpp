// What decoding through the picture loader chain costs over libpng itself: a
// set of 64 x 64 RGB PNG files (the size of the road tiles) is decoded with
// LoadPixmapFrom, and the same files with bare libpng reading from a C file
// handle into its own rows. The ratio of the two times is reported as well;
// the chain's overhead (opening a stream, asking the BMP loader first,
// seeking back, reading through the stream callback, copying the rows into
// the pixmap) should stay within 15 %. The third benchmark measures that
// ratio directly.
//
// Also timed: refusing a 100-byte file whose header claims 20000 x 20000
// pixels, which must not cost more than reading its header.

#include "pixmap/pixmap_loader.h"
#include "pixmap/png_writer.h"
#include "util/utf8.h"

#include <benchmark/benchmark.h>
#include <png.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int32_t TileSize = 64;
constexpr int32_t FileCount = 32;

// The benchmark's PNG files, written once into a scratch directory that is
// removed when the program ends.
class TTileFiles {
public:
    TTileFiles() {
        _directory = std::filesystem::temp_directory_path() /
                     ("sewer-pixmap-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(_directory);
        std::mt19937 noise(1234);
        for (int32_t i = 0; i < FileCount; ++i) {
            // Smooth shading with a little noise and a wall-coloured block,
            // which compresses about as well as drawn tiles do.
            auto tile = TPixmap::Create(TileSize, TileSize, FormatRGB888, 4);
            for (int32_t y = 0; y < TileSize; ++y) {
                for (int32_t x = 0; x < TileSize; ++x) {
                    const uint32_t shade = (x * 2 + y + i * 5 + noise() % 6) & 0xFF;
                    const bool wall = x > 8 + i % 16 && x < 30 && y > 20 && y < 40;
                    tile->WritePixel(
                        x, y, wall ? 0xFFB97A57 : 0xFF000000 | shade << 16 | shade << 8 | shade);
                }
            }
            const auto path = _directory / ("tile" + std::to_string(i) + ".png");
            SavePixmapPNG(*tile, Utf8ToText(path.string()), 6);
            paths.push_back(path.string());
        }
    }
    ~TTileFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(_directory, ignored);
    }
    TTileFiles(const TTileFiles&) = delete;
    TTileFiles& operator=(const TTileFiles&) = delete;

    std::vector<std::string> paths;

private:
    std::filesystem::path _directory;
};

const TTileFiles& Tiles() {
    static const TTileFiles tiles;
    return tiles;
}

// The setjmp target for libpng's errors; owns nothing.
bool ReadWithLibpng(png_structp png, png_infop info, FILE* file) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_init_io(png, file);
    png_read_png(png, info, PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_EXPAND, nullptr);
    return true;
}

// How a program using libpng directly would read the file.
void DecodeWithLibpng(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (ReadWithLibpng(png, info, file)) {
        benchmark::DoNotOptimize(png_get_rows(png, info)[TileSize - 1][0]);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
}

void DecodeWithLoaderChain(const Text& path) {
    const auto pixmap = LoadPixmapFrom(path);
    benchmark::DoNotOptimize(pixmap->PixelPtr(0, TileSize - 1)[0]);
}

std::vector<Text> TextPaths() {
    std::vector<Text> paths;
    for (const auto& path : Tiles().paths) {
        paths.push_back(Utf8ToText(path));
    }
    return paths;
}

void BareLibpng(benchmark::State& state) {
    const auto& paths = Tiles().paths;
    for (auto _ : state) {
        for (const auto& path : paths) {
            DecodeWithLibpng(path);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(paths.size()));
}
BENCHMARK(BareLibpng);

void LoaderChain(benchmark::State& state) {
    const auto paths = TextPaths();
    for (auto _ : state) {
        for (const auto& path : paths) {
            DecodeWithLoaderChain(path);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(paths.size()));
}
BENCHMARK(LoaderChain);

// The two ways in turn, file by file (which goes first alternates), timed in
// this thread's processor time: on a busy machine the two benchmarks above
// can differ by more than the overhead being measured, since whatever else
// runs steals time from one or the other. The counter "ratio" is the loader
// chain's time over libpng's.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void LoaderChainOverLibpng(benchmark::State& state) {
    const auto& paths = Tiles().paths;
    const auto textPaths = TextPaths();
    double bare = 0.0;
    double chain = 0.0;
    bool libpngFirst = true;
    for (auto _ : state) {
        for (size_t i = 0; i < paths.size(); ++i) {
            const double start = ThreadSeconds();
            if (libpngFirst) {
                DecodeWithLibpng(paths[i]);
            } else {
                DecodeWithLoaderChain(textPaths[i]);
            }
            const double middle = ThreadSeconds();
            if (libpngFirst) {
                DecodeWithLoaderChain(textPaths[i]);
            } else {
                DecodeWithLibpng(paths[i]);
            }
            const double end = ThreadSeconds();
            (libpngFirst ? bare : chain) += middle - start;
            (libpngFirst ? chain : bare) += end - middle;
            libpngFirst = !libpngFirst;
        }
    }
    state.counters["ratio"] = chain / bare;
}
BENCHMARK(LoaderChainOverLibpng);

void RefuseHugeHeader(benchmark::State& state) {
    // Signature, then an IHDR chunk claiming 20000 x 20000 8-bit RGB (the
    // checksum is never reached), then a few bytes of nothing.
    const std::string file = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x4e\x20\0\0\x4e\x20"
                                         "\x08\x02\0\0\0",
                                         8 + 8 + 13) +
                             std::string(71, '\0');
    auto bank = std::make_shared<TBank>(static_cast<int64_t>(file.size()));
    std::copy(file.begin(), file.end(), bank->Data());
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadPixmapFrom(bank));
    }
}
BENCHMARK(RefuseHugeHeader);

} // namespace

BENCHMARK_MAIN();
