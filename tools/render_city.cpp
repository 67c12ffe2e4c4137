// Renders one seeded city from the road tile pictures of an image directory,
// the way the game lays them out, into two PNG files:
//   PREFIX-city.png       the whole 40 x 40-cell city, scaled down by SCALE
//                         (box-filtered), the start cell outlined in green and
//                         the sewer cell in red;
//   PREFIX-junctions.png  close-ups at full size (one picture pixel per world
//                         pixel) of the three 5 x 5-cell windows that hold the
//                         most junctions.
//
//   render-city [--seed N] [--dir PROGRAM_DIR] [--out PREFIX] [--scale SCALE]
//
// PROGRAM_DIR is the folder holding img/ (default: this tool's own folder,
// which in the build tree is where the game and its generated assets are).
// The builder's progress lines go to standard output as in the game.

#include "game/image_library.h"
#include "pixmap/pixmap.h"
#include "pixmap/png_writer.h"
#include "util/random.h"
#include "util/runtime_error.h"
#include "util/utf8.h"
#include "world/city.h"
#include "world/road_map.h"
#include "world/tile_code.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// What the game shows where there is no tile: the cleared screen.
constexpr uint32_t Background = 0xFF000000;
constexpr uint32_t StartMark = 0xFF00E000;
constexpr uint32_t SewerMark = 0xFFFF2020;
constexpr int32_t WindowCells = 5;
constexpr int32_t WindowCount = 3;
constexpr int32_t WindowGap = 8;

struct TOptions {
    int32_t seed = 1;
    std::filesystem::path programDir;
    std::string prefix = "city";
    int32_t scale = 4;
};

[[noreturn]] void Usage() {
    std::fprintf(stderr, "usage: render-city [--seed N] [--dir PROGRAM_DIR] [--out PREFIX] "
                         "[--scale 1..64]\n");
    std::exit(2);
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    options.programDir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            Usage();
        }
        const std::string value = argv[++i];
        if (option == "--seed") {
            options.seed = static_cast<int32_t>(std::strtol(value.c_str(), nullptr, 0));
        } else if (option == "--dir") {
            options.programDir = value;
        } else if (option == "--out") {
            options.prefix = value;
        } else if (option == "--scale") {
            options.scale = static_cast<int32_t>(std::strtol(value.c_str(), nullptr, 10));
        } else {
            Usage();
        }
    }
    // The city is 2560 pixels wide; the scale must divide a cell evenly.
    if (options.scale < 1 || options.scale > CellSize || CellSize % options.scale != 0) {
        Usage();
    }
    return options;
}

uint32_t Blend(uint32_t over, uint32_t under) {
    const uint32_t alpha = over >> 24;
    uint32_t out = 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t a = (over >> shift) & 0xFF;
        const uint32_t b = (under >> shift) & 0xFF;
        out |= ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

// The colour of world pixel (px, py): its tile's pixel drawn translucently
// over the background, as the game draws it.
uint32_t WorldPixel(int32_t px, int32_t py) {
    const auto& tile = TileImages(px / CellSize, py / CellSize);
    if (!tile || tile->pixmaps.empty() || !tile->pixmaps[0]) {
        return Background;
    }
    return Blend(tile->pixmaps[0]->ReadPixel(px % CellSize, py % CellSize), Background);
}

void Outline(TPixmap& picture, int32_t x0, int32_t y0, int32_t size, uint32_t colour) {
    for (int32_t i = 0; i < size; ++i) {
        for (int32_t thick = 0; thick < 2; ++thick) {
            picture.WritePixel(x0 + i, y0 + thick, colour);
            picture.WritePixel(x0 + i, y0 + size - 1 - thick, colour);
            picture.WritePixel(x0 + thick, y0 + i, colour);
            picture.WritePixel(x0 + size - 1 - thick, y0 + i, colour);
        }
    }
}

std::shared_ptr<TPixmap> RenderCity(int32_t scale) {
    const int32_t cell = CellSize / scale;
    auto picture = CreatePixmap(CityWidth * cell, CityHeight * cell, FormatRGB888);
    const uint32_t area = static_cast<uint32_t>(scale * scale);
    for (int32_t y = 0; y < picture->height; ++y) {
        for (int32_t x = 0; x < picture->width; ++x) {
            uint32_t sum[3] = {0, 0, 0};
            for (int32_t dy = 0; dy < scale; ++dy) {
                for (int32_t dx = 0; dx < scale; ++dx) {
                    const uint32_t argb = WorldPixel(x * scale + dx, y * scale + dy);
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += (argb >> (8 * c)) & 0xFF;
                    }
                }
            }
            uint32_t mean = 0xFF000000;
            for (int c = 0; c < 3; ++c) {
                mean |= ((sum[c] + area / 2) / area) << (8 * c);
            }
            picture->WritePixel(x, y, mean);
        }
    }
    Outline(*picture, StartPoint.x * cell, StartPoint.y * cell, cell, StartMark);
    Outline(*picture, SewerPoint.x * cell, SewerPoint.y * cell, cell, SewerMark);
    return picture;
}

int32_t JunctionsIn(int32_t left, int32_t top) {
    int32_t count = 0;
    for (int32_t x = left; x < left + WindowCells; ++x) {
        for (int32_t y = top; y < top + WindowCells; ++y) {
            if (TileImages(x, y) && RoadTileCode(RoadGrid, x, y).size() >= 3) {
                ++count;
            }
        }
    }
    return count;
}

// The top-left cells of the windows with the most junctions, none
// overlapping another.
std::vector<tPoint> BusiestWindows() {
    std::vector<tPoint> chosen;
    while (static_cast<int32_t>(chosen.size()) < WindowCount) {
        tPoint best{-1, -1};
        int32_t bestCount = -1;
        for (int32_t x = 0; x + WindowCells <= CityWidth; ++x) {
            for (int32_t y = 0; y + WindowCells <= CityHeight; ++y) {
                const bool overlaps = std::any_of(chosen.begin(), chosen.end(), [&](tPoint p) {
                    return std::abs(p.x - x) < WindowCells && std::abs(p.y - y) < WindowCells;
                });
                const int32_t count = JunctionsIn(x, y);
                if (!overlaps && count > bestCount) {
                    best = {x, y};
                    bestCount = count;
                }
            }
        }
        chosen.push_back(best);
    }
    return chosen;
}

std::shared_ptr<TPixmap> RenderJunctions() {
    const int32_t side = WindowCells * CellSize;
    auto picture =
        CreatePixmap(WindowCount * side + (WindowCount - 1) * WindowGap, side, FormatRGB888);
    picture->ClearPixels(0xFF808080);
    int32_t left = 0;
    for (const tPoint& window : BusiestWindows()) {
        std::printf("close-up: cells (%d, %d) to (%d, %d), %d junctions\n", window.x, window.y,
                    window.x + WindowCells - 1, window.y + WindowCells - 1,
                    JunctionsIn(window.x, window.y));
        for (int32_t y = 0; y < side; ++y) {
            for (int32_t x = 0; x < side; ++x) {
                picture->WritePixel(left + x, y,
                                    WorldPixel(window.x * CellSize + x, window.y * CellSize + y));
            }
        }
        left += side + WindowGap;
    }
    return picture;
}

void Save(const TPixmap& picture, const std::string& path) {
    if (!SavePixmapPNG(picture, Utf8ToText(path), 9)) {
        RaiseRuntimeError(u"cannot write " + Utf8ToText(path));
    }
    std::printf("wrote %s (%d x %d)\n", path.c_str(), picture.width, picture.height);
}

} // namespace

int main(int argc, char** argv) {
    const TOptions options = ParseOptions(argc, argv);
    // Output paths are taken relative to where the tool was started.
    const std::filesystem::path outputBase = std::filesystem::absolute(options.prefix);
    try {
        // The image library reads img/ under the working directory, which
        // the game makes its own folder.
        std::filesystem::current_path(options.programDir);
        LoadImageLibrary();
        CreateCityGrids();
        SeedRandom(options.seed);
        BuildWorld(ImageLibrary);
        std::printf("seed %d: %zu waypoints, start (%d, %d), sewer (%d, %d)\n", options.seed,
                    RoadPoints.size(), StartPoint.x, StartPoint.y, SewerPoint.x, SewerPoint.y);
        Save(*RenderCity(options.scale), outputBase.string() + "-city.png");
        Save(*RenderJunctions(), outputBase.string() + "-junctions.png");
    } catch (const TRuntimeError& error) {
        std::fprintf(stderr, "render-city: %s\n", error.what());
        return 1;
    } catch (const std::filesystem::filesystem_error& error) {
        std::fprintf(stderr, "render-city: %s\n", error.what());
        return 1;
    }
    return 0;
}
