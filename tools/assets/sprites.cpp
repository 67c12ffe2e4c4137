#include "sprites.h"

#include "pixel_grid.h"

#include <array>

namespace {

constexpr int32_t CarWidth = 6;
constexpr int32_t CarHeight = 11;

// Seen from above, nose up: headlights, bonnet, windscreen, roof, rear
// window, boot and tail lights, with the tyres showing at the sides.
const TGrid CarGrid = {
    ".yBBy.", //
    "kBLLBk", //
    "kBBBBk", //
    "bggggb", //
    "bgGGgb", //
    "bBLLBb", //
    "bBBBBb", //
    "bgggGb", //
    "kBBBBk", //
    "kBBBBk", //
    ".rbbr.", //
};

// Black bonnet and boot, white roof with its light bar: red and blue.
const TGrid PoliceCarGrid = {
    ".yKKy.", //
    "kKKKKk", //
    "kKKKKk", //
    "Wggggw", //
    "WgGGgw", //
    "WRRUUw", //
    "WWWWWw", //
    "WgggGw", //
    "kKKKKk", //
    "kKKKKk", //
    ".rKKr.", //
};

struct TCarColours {
    uint32_t body;
    uint32_t shade;
    uint32_t shine;
};

// Red, blue, green, yellow and purple getaway cars.
constexpr std::array<TCarColours, 5> PlayerColours = {{
    {0xFFD4372C, 0xFF98221C, 0xFFF27A5E},
    {0xFF2F6BD9, 0xFF1E4496, 0xFF79A6F2},
    {0xFF2FA352, 0xFF1D6E36, 0xFF7AD68E},
    {0xFFE8B828, 0xFFA77F14, 0xFFF7E07A},
    {0xFF8D45C4, 0xFF5D2A85, 0xFFC08CE8},
}};

constexpr uint32_t Tyre = 0xFF1B1B20;
constexpr uint32_t Glass = 0xFF86B3D6;
constexpr uint32_t GlassDark = 0xFF4D7396;
constexpr uint32_t Headlight = 0xFFFFF0A0;
constexpr uint32_t TailLight = 0xFFE0282C;

TPalette CarPalette(int cell) {
    if (cell == 0) {
        return TPalette{{'K', 0xFF23232B}, {'W', 0xFFF2F2EE}, {'w', 0xFFC4C6CC}, {'R', 0xFFFF3030},
                        {'U', 0xFF3A6BFF}, {'k', Tyre},       {'g', Glass},      {'G', GlassDark},
                        {'y', Headlight},  {'r', TailLight}};
    }
    const TCarColours& colours = PlayerColours[static_cast<size_t>(cell - 1)];
    return TPalette{{'B', colours.body}, {'b', colours.shade}, {'L', colours.shine},
                    {'k', Tyre},         {'g', Glass},         {'G', GlassDark},
                    {'y', Headlight},    {'r', TailLight}};
}

const TGrid PedestrianGrids[] = {
    {
        // standing: hair, face, arms and shirt, trousers, shoes
        "...hh...", //
        "..hffh..", //
        "..hffh..", //
        ".fSSSSf.", //
        ".fSssSf.", //
        "..SSSS..", //
        "..pp.pp.", //
        "..kk.kk.", //
    },
    {
        // run over: a flattened figure in a pool of red
        ".b....b.", //
        "..bBBb..", //
        ".bBSSBb.", //
        "bBhSSBBb", //
        ".BBpSSBb", //
        "..bBpBb.", //
        ".b..bb..", //
        "......b.", //
    },
};

const TPalette PedestrianPalette = {
    {'h', 0xFF4A2A18}, {'f', 0xFFEDB98F}, {'S', 0xFF19A0C8}, {'s', 0xFF107A9C},
    {'p', 0xFF2C3A66}, {'k', 0xFF1C1C1C}, {'B', 0xFFB3161C}, {'b', 0xFF7E0E12},
};

// A puff grows, thins out and drifts apart; the alpha falls frame by frame.
const TGrid SmokeGrids[] = {
    {
        "........", //
        "........", //
        "...mm...", //
        "..mDDm..", //
        "..mDDm..", //
        "...mm...", //
        "........", //
        "........", //
    },
    {
        "........", //
        "..lmml..", //
        ".lmDDml.", //
        ".mDDDDm.", //
        ".mDDDMm.", //
        ".lmMMml.", //
        "..lmml..", //
        "........", //
    },
    {
        "..llll..", //
        ".lmmmml.", //
        "lmMMMMml", //
        "lmMMMMml", //
        "lmMMmMml", //
        "lmMmmMml", //
        ".lmmmml.", //
        "..llll..", //
    },
    {
        ".f..ff..", //
        "fllf.lf.", //
        ".lml..lf", //
        "f.l..fl.", //
        ".fl.lml.", //
        "flml.lf.", //
        ".ff..f.f", //
        "....f...", //
    },
};

const TPalette SmokePalette = {
    {'D', 0xD0383838}, {'M', 0xB05A5A5A}, {'m', 0x90787878}, {'l', 0x60909090}, {'f', 0x38A0A0A0},
};

// Yellow with a dark outline, so it reads on asphalt, pavement and walls.
const TGrid ArrowGrid = {
    "....k....", //
    "...kYk...", //
    "..kYYOk..", //
    ".kYYYYOk.", //
    "kkkYYOkkk", //
    "..kYYOk..", //
    "..kYYOk..", //
    "..kYYOk..", //
    "..kkkkk..", //
};

const TPalette ArrowPalette = {{'k', 0xFF1A1A1A}, {'Y', 0xFFFFD83A}, {'O', 0xFFE09A1C}};

// An open manhole: iron rim, the shaft with the top rungs of its ladder, and
// a glint of green water deep down.
const TGrid SewerGrid = {
    ".....kkkkkk.....", //
    "...kkIIIIIIkk...", //
    "..kIIiiiiiiIIk..", //
    ".kIiikkkkkkiiIk.", //
    ".kIikddddddkiIk.", //
    "kIikdLLLLLLdkiIk", //
    "kIikddddddddkiIk", //
    "kIikdLLLLLLdkiIk", //
    "kIikddddddddkiIk", //
    "kIikddggggddkiIk", //
    "kIikdgGGGGgdkiIk", //
    ".kIikdggggdkiIk.", //
    ".kIiikkkkkkiiIk.", //
    "..kIIiiiiiiIIk..", //
    "...kkIIIIIIkk...", //
    ".....kkkkkk.....", //
};

const TPalette SewerPalette = {
    {'k', 0xFF16161A}, {'I', 0xFF8A8C94}, {'i', 0xFF5C5E66}, {'d', 0xFF050508},
    {'L', 0xFF6E5A44}, {'g', 0xFF1F5C2A}, {'G', 0xFF4FBF4A},
};

std::shared_ptr<TPixmap> PaintStrip(const TGrid* grids, int count, int32_t cell,
                                    const TPalette& palette) {
    auto strip = NewCanvas(cell * count, cell);
    for (int index = 0; index < count; ++index) {
        DrawGrid(*strip, index * cell, 0, grids[index], palette);
    }
    return strip;
}

} // namespace

std::shared_ptr<TPixmap> PaintCar(int cell) {
    auto car = NewCanvas(CarWidth, CarHeight);
    DrawGrid(*car, 0, 0, cell == 0 ? PoliceCarGrid : CarGrid, CarPalette(cell));
    return car;
}

std::shared_ptr<TPixmap> PaintCarStrip() {
    auto strip = NewCanvas(CarWidth * 6, CarHeight);
    for (int cell = 0; cell < 6; ++cell) {
        strip->Paste(*PaintCar(cell), cell * CarWidth, 0);
    }
    return strip;
}

std::shared_ptr<TPixmap> PaintPedestrianStrip() {
    return PaintStrip(PedestrianGrids, 2, 8, PedestrianPalette);
}

std::shared_ptr<TPixmap> PaintSmokeStrip() {
    return PaintStrip(SmokeGrids, 4, 8, SmokePalette);
}

std::shared_ptr<TPixmap> PaintArrow() {
    auto arrow = NewCanvas(9, 9);
    DrawGrid(*arrow, 0, 0, ArrowGrid, ArrowPalette);
    return arrow;
}

std::shared_ptr<TPixmap> PaintSewer() {
    auto sewer = NewCanvas(16, 16);
    DrawGrid(*sewer, 0, 0, SewerGrid, SewerPalette);
    return sewer;
}
