#include "screens.h"

#include "lettering.h"
#include "noise.h"
#include "pixel_grid.h"
#include "road_tiles.h"
#include "sprites.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

constexpr uint32_t Opaque = 0xFF000000;
constexpr uint32_t Ink = 0xFF0E0E14;

uint32_t Channel(uint32_t argb, int shift) {
    return (argb >> shift) & 0xFFu;
}

uint32_t Rgb(double r, double g, double b) {
    auto channel = [](double value) {
        return static_cast<uint32_t>(std::clamp(std::lround(value), 0L, 255L));
    };
    return Opaque | channel(r) << 16 | channel(g) << 8 | channel(b);
}

// The colour part way from `from` (t = 0) to `to` (t = 1).
uint32_t MixColour(uint32_t from, uint32_t to, double t) {
    auto mix = [&](int shift) {
        return Channel(from, shift) +
               (Channel(to, shift) - static_cast<double>(Channel(from, shift))) * t;
    };
    return Rgb(mix(16), mix(8), mix(0));
}

// The colour with every channel scaled by the tint's channel / 255.
uint32_t Multiply(uint32_t argb, uint32_t tint) {
    return Rgb(Channel(argb, 16) * Channel(tint, 16) / 255.0,
               Channel(argb, 8) * Channel(tint, 8) / 255.0,
               Channel(argb, 0) * Channel(tint, 0) / 255.0);
}

// Tints the whole screen, as a coloured light over the scene.
void Tint(TPixmap& screen, uint32_t tint) {
    for (int32_t y = 0; y < screen.height; ++y) {
        for (int32_t x = 0; x < screen.width; ++x) {
            screen.WritePixel(x, y, Multiply(screen.ReadPixel(x, y), tint));
        }
    }
}

// Lays road tiles out as a little city, row by row, with the grid's top-left
// corner at (x, y); an empty code leaves a black block.
void DrawCity(TPixmap& canvas, int32_t x, int32_t y,
              const std::vector<std::vector<std::string_view>>& codes) {
    for (size_t row = 0; row < codes.size(); ++row) {
        for (size_t column = 0; column < codes[row].size(); ++column) {
            if (codes[row][column].empty()) {
                continue;
            }
            const auto tile = PaintRoadTile(codes[row][column]);
            for (int32_t ty = 0; ty < TileSize; ++ty) {
                for (int32_t tx = 0; tx < TileSize; ++tx) {
                    PutPixel(canvas, x + static_cast<int32_t>(column) * TileSize + tx,
                             y + static_cast<int32_t>(row) * TileSize + ty,
                             tile->ReadPixel(tx, ty));
                }
            }
        }
    }
}

// Draws a sprite `scale` times enlarged, turned clockwise by quarter turns,
// its colours multiplied by `tint`, blended by its alpha.
void DrawSprite(TPixmap& canvas, const TPixmap& sprite, int32_t x, int32_t y, int32_t scale,
                int quarterTurns = 0, uint32_t tint = 0xFFFFFFFF) {
    const bool sideways = quarterTurns % 2 == 1;
    const int32_t width = sideways ? sprite.height : sprite.width;
    const int32_t height = sideways ? sprite.width : sprite.height;
    for (int32_t row = 0; row < height * scale; ++row) {
        for (int32_t column = 0; column < width * scale; ++column) {
            const int32_t u = column / scale;
            const int32_t v = row / scale;
            int32_t sx = u;
            int32_t sy = v;
            switch (quarterTurns % 4) {
            case 1:
                sx = v;
                sy = sprite.height - 1 - u;
                break;
            case 2:
                sx = sprite.width - 1 - u;
                sy = sprite.height - 1 - v;
                break;
            case 3:
                sx = sprite.width - 1 - v;
                sy = u;
                break;
            default:
                break;
            }
            const uint32_t pixel = sprite.ReadPixel(sx, sy);
            const uint32_t tinted = Multiply(pixel, tint);
            BlendPixel(canvas, x + column, y + row, (pixel & 0xFF000000) | (tinted & 0xFFFFFF));
        }
    }
}

// A soft round light: strongest in the middle, fading out at `radius`.
void Glow(TPixmap& canvas, int32_t cx, int32_t cy, int32_t radius, uint32_t colour,
          double strength) {
    for (int32_t y = cy - radius; y <= cy + radius; ++y) {
        for (int32_t x = cx - radius; x <= cx + radius; ++x) {
            const double fall = 1.0 - std::hypot(x - cx, y - cy) / radius;
            if (fall > 0.0) {
                const auto alpha =
                    static_cast<uint32_t>(std::lround(255.0 * strength * fall * fall));
                BlendPixel(canvas, x, y, alpha << 24 | (colour & 0xFFFFFF));
            }
        }
    }
}

// Soot on the wreck and the fire on its bonnet, laid over the car sprite.
const TGrid ScorchGrid = {
    "...........", //
    "..k....k...", //
    ".....k.....", //
    "...k.....k.", //
    ".......k...", //
    "...........", //
};

const TGrid FlameGrid = {
    "..y..", //
    ".yoy.", //
    ".oro.", //
    "yoroy", //
    ".rrr.", //
};

const TPalette FirePalette = {
    {'k', 0xFF141010}, {'y', 0xFFFFE060}, {'o', 0xFFFF9020}, {'r', 0xFFD83018}};

const TGrid MoneyBagGrid = {
    "...kkk...", //
    "....k....", //
    "..kBBBk..", //
    ".kBB$BBk.", //
    "kBB$$$BBk", //
    "kBB$BBBBk", //
    "kBB$$$BBk", //
    "kBBBB$BBk", //
    "kBB$$$BBk", //
    ".kBB$BBk.", //
    "..kkkkk..", //
};

const TGrid NoteGrid = {
    "gggg", //
    "gGGg", //
};

const TPalette MoneyPalette = {
    {'k', 0xFF2A2014}, {'b', 0xFF8A6A3A}, {'B', 0xFFC8A060},
    {'$', 0xFF1E6A26}, {'g', 0xFF3E9E4A}, {'G', 0xFF9CE08A},
};

std::shared_ptr<TPixmap> SmokeFrame(int frame) {
    const auto strip = PaintSmokeStrip();
    return strip->Window(frame * 8, 0, 8, 8);
}

// The big title word: a fill that runs from `top` to `bottom` colour, a dark
// outline, a drop shadow, and (for slime) drops hanging off the letters.
void DrawTitleWord(TPixmap& canvas, std::string_view word, int32_t x, int32_t y, uint32_t top,
                   uint32_t bottom, bool dripping) {
    const TLetterMask mask(word, 3);
    std::vector<std::pair<int32_t, int32_t>> drips; // column, length
    if (dripping) {
        for (int32_t column = 0; column < mask.Width(); ++column) {
            const bool bottomPixel = mask.At(column, mask.Height() - 1);
            if (bottomPixel && column % 3 == 1 &&
                UnitNoise(static_cast<uint32_t>(column), 7) < 0.45) {
                drips.emplace_back(
                    column,
                    2 + static_cast<int32_t>(UnitNoise(static_cast<uint32_t>(column), 9) * 5));
            }
        }
    }
    auto isFill = [&](int32_t column, int32_t row) {
        if (mask.At(column, row)) {
            return true;
        }
        for (const auto& [dripColumn, length] : drips) {
            if (row >= mask.Height() && row < mask.Height() + length && column == dripColumn) {
                return true;
            }
        }
        return false;
    };
    const int32_t depth = mask.Height() + 8;
    for (int32_t row = -2; row < depth + 2; ++row) {
        for (int32_t column = -2; column < mask.Width() + 3; ++column) {
            if (isFill(column - 2, row - 2)) {
                BlendPixel(canvas, x + column, y + row, 0xA0000000);
            }
        }
    }
    for (int32_t row = -1; row <= depth; ++row) {
        for (int32_t column = -1; column <= mask.Width(); ++column) {
            bool near = false;
            for (int32_t dy = -1; dy <= 1; ++dy) {
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    near = near || isFill(column + dx, row + dy);
                }
            }
            if (isFill(column, row)) {
                const double t = std::min(1.0, static_cast<double>(row) / mask.Height());
                // A lighter top edge on every stroke gives the letters some body.
                const bool lit = !isFill(column, row - 1);
                uint32_t colour = MixColour(top, bottom, t);
                PutPixel(canvas, x + column, y + row,
                         lit ? MixColour(colour, 0xFFFFFFFF, 0.45) : colour);
            } else if (near) {
                PutPixel(canvas, x + column, y + row, Ink);
            }
        }
    }
}

void DrawCentredHint(TPixmap& canvas, std::string_view text, int32_t y, uint32_t colour) {
    const TLetterMask mask(text, 1);
    DrawOutlinedLetters(canvas, mask, (ScreenWidth - mask.Width()) / 2, y, colour, Ink);
}

// Darkens a band so the game's own text or a hint can sit on it, fading at
// its lower and upper ends.
void ShadeBand(TPixmap& canvas, int32_t top, int32_t bottom, double darkness) {
    for (int32_t y = top; y < bottom; ++y) {
        const double edge = std::min({1.0, (y - top + 1) / 4.0, (bottom - y) / 4.0});
        const auto alpha = static_cast<uint32_t>(std::lround(255.0 * darkness * edge));
        for (int32_t x = 0; x < ScreenWidth; ++x) {
            BlendPixel(canvas, x, y, alpha << 24 | 0x05050A);
        }
    }
}

// The keys that lead on from an end screen, on two lines in its lower part,
// clear of the game's own text at the top.
void DrawEndScreenKeys(TPixmap& canvas) {
    ShadeBand(canvas, 96, 120, 0.75);
    DrawCentredHint(canvas, "SPACE: PLAY AGAIN", 100, 0xFFFFE56E);
    DrawCentredHint(canvas, "ESC: QUIT", 110, 0xFFC8C8D0);
}

} // namespace

std::shared_ptr<TPixmap> PaintTitleScreen() {
    auto screen = NewCanvas(ScreenWidth, ScreenHeight, 0xFF000000);
    DrawCity(*screen, -16, -20, {{"", "13", ""}, {"24", "1234", "24"}, {"", "13", ""}});
    Tint(*screen, 0xFF6A6A88);
    // The chase across the crossing: two police cars after the getaway car,
    // which is nearly at the sewer.
    Glow(*screen, 42, 70, 10, 0xFF3050FF, 0.5);
    Glow(*screen, 6, 80, 10, 0xFFFF3030, 0.5);
    DrawSprite(*screen, *PaintSewer(), 136, 68, 1);
    DrawSprite(*screen, *PaintCar(1), 96, 63, 2, 1);
    DrawSprite(*screen, *PaintCar(0), 50, 63, 2, 1);
    DrawSprite(*screen, *PaintCar(0), 10, 75, 2, 1);
    DrawTitleWord(*screen, "SEWER", 36, 6, 0xFFB8F56A, 0xFF2E8C2C, true);
    DrawTitleWord(*screen, "RUN", 54, 34, 0xFFFFE56E, 0xFFE0561A, false);
    ShadeBand(*screen, 96, 120, 0.75);
    DrawCentredHint(*screen, "PRESS SPACE", 104, 0xFFFFE56E);
    return screen;
}

std::shared_ptr<TPixmap> PaintLoseScreen() {
    auto screen = NewCanvas(ScreenWidth, ScreenHeight, 0xFF000000);
    DrawCity(*screen, -16, -26, {{"", "", ""}, {"24", "234", "24"}, {"", "13", ""}});
    Tint(*screen, 0xFF8A5A60);
    // The wreck on the junction, burning, hemmed in by three police cars.
    Glow(*screen, 80, 70, 24, 0xFFFF8020, 0.4);
    DrawSprite(*screen, *PaintCar(1), 69, 64, 2, 1, 0xFF9A8078);
    DrawGrid(*screen, 70, 64, ScorchGrid, FirePalette, 2);
    DrawGrid(*screen, 84, 60, FlameGrid, FirePalette, 2);
    DrawSprite(*screen, *PaintCar(0), 28, 64, 2, 1);
    DrawSprite(*screen, *PaintCar(0), 110, 64, 2, 3);
    DrawSprite(*screen, *PaintCar(0), 74, 84, 2, 0);
    Glow(*screen, 40, 70, 9, 0xFF3050FF, 0.6);
    Glow(*screen, 121, 70, 9, 0xFFFF3030, 0.6);
    Glow(*screen, 80, 95, 9, 0xFF3050FF, 0.6);
    DrawSprite(*screen, *SmokeFrame(1), 80, 48, 2);
    DrawSprite(*screen, *SmokeFrame(2), 62, 36, 3);
    ShadeBand(*screen, 0, 34, 0.85);
    DrawEndScreenKeys(*screen);
    return screen;
}

std::shared_ptr<TPixmap> PaintWinScreen() {
    auto screen = NewCanvas(ScreenWidth, ScreenHeight, 0xFF000000);
    DrawCity(*screen, -16, -26, {{"", "", ""}, {"2", "24", "34"}, {"", "", "13"}});
    Tint(*screen, 0xFF9090A8);
    // The car has pulled up at the open sewer with the money; far behind, a
    // police car lies wrecked.
    Glow(*screen, 88, 70, 20, 0xFF60FF60, 0.3);
    DrawSprite(*screen, *PaintSewer(), 72, 54, 2);
    DrawSprite(*screen, *PaintCar(1), 40, 64, 2, 1);
    DrawGrid(*screen, 66, 84, MoneyBagGrid, MoneyPalette);
    DrawGrid(*screen, 108, 48, MoneyBagGrid, MoneyPalette);
    DrawGrid(*screen, 110, 78, MoneyBagGrid, MoneyPalette);
    DrawGrid(*screen, 120, 62, MoneyBagGrid, MoneyPalette);
    for (int note = 0; note < 12; ++note) {
        const auto x = static_cast<int32_t>(20 + UnitNoise(static_cast<uint32_t>(note), 3) * 110);
        const auto y = static_cast<int32_t>(52 + UnitNoise(static_cast<uint32_t>(note), 5) * 36);
        DrawGrid(*screen, x, y, NoteGrid, MoneyPalette);
    }
    DrawSprite(*screen, *PaintCar(0), 6, 58, 2, 1, 0xFF505058);
    DrawSprite(*screen, *SmokeFrame(2), 4, 46, 2);
    ShadeBand(*screen, 0, 34, 0.85);
    DrawEndScreenKeys(*screen);
    return screen;
}
