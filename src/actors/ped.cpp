#include "actors/ped.h"

#include "actors/road_surface.h"
#include "game/globals.h"
#include "graphics/draw2d.h"
#include "graphics/image_drawing.h"
#include "util/random.h"
#include "util/runtime_error.h"
#include "world/city.h"
#include "world/geometry.h"

namespace {

constexpr int32_t PedestrianCount = 501;
// Cells tried: 4 away from the left and top edges, 1 from the others.
constexpr int32_t FirstCell = 4;
constexpr int32_t LastCell = 38;
// Offsets from a tile's centre, keeping 2 pixels clear of its edges.
constexpr int32_t SpotSpread = 30;
// A real city places everyone within a few thousand tries; this many only
// fail when the tiles hardly have any white ground in the tested area.
constexpr int32_t MaxSpawnAttempts = 1000000;
constexpr double RunOverRange = 5.0;

} // namespace

int32_t tPed::update(int32_t px, int32_t py) {
    if (Distance(static_cast<float>(px), static_cast<float>(py), x, y) < RunOverRange) {
        alive = 0;
    }
    return 0;
}

int32_t tPed::Draw() {
    SetDrawOrigin(ViewOffsetX, ViewOffsetY);
    if (PedImage) {
        DrawImageFrame(*PedImage, x, y, 1 - alive);
    }
    SetDrawColour(255, 255, 255);
    return 0;
}

int32_t SpawnPedestrians() {
    if (!PedList) {
        PedList = MakeEmptyList<tPed>();
    }
    // Count() walks the list, so the count is kept here.
    int32_t count = PedList->Count();
    for (int32_t attempt = 0; count < PedestrianCount; ++attempt) {
        if (attempt == MaxSpawnAttempts) {
            RaiseRuntimeError(u"SpawnPedestrians: the road tiles have too little opaque white "
                              u"ground to place 501 pedestrians");
        }
        const int32_t tx = RandomInt(FirstCell, LastCell);
        const int32_t ty = RandomInt(FirstCell, LastCell);
        if (!TileImages.Contains(tx, ty) || !TileImages(tx, ty)) {
            continue;
        }
        const auto pixmap = CollisionPixmap(*TileImages(tx, ty));
        if (!pixmap) {
            continue;
        }
        const int32_t px = tx * CellSize + CellSize / 2 + RandomInt(-SpotSpread, SpotSpread);
        const int32_t py = ty * CellSize + CellSize / 2 + RandomInt(-SpotSpread, SpotSpread);
        if (TilePixel(*pixmap, px, py) != SlowColour) {
            continue;
        }
        auto ped = std::make_shared<tPed>();
        ped->x = static_cast<float>(px);
        ped->y = static_cast<float>(py);
        PedList->AddLast(std::move(ped));
        ++count;
    }
    return 0;
}
