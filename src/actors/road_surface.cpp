#include "actors/road_surface.h"

#include "world/city.h"

std::shared_ptr<TImage> TileAtPixel(int32_t px, int32_t py) {
    if (px < 0 || py < 0) {
        return nullptr;
    }
    const int32_t cellX = px / CellSize;
    const int32_t cellY = py / CellSize;
    if (!TileImages.Contains(cellX, cellY)) {
        return nullptr;
    }
    return TileImages(cellX, cellY);
}

std::shared_ptr<TPixmap> CollisionPixmap(const TImage& tile) {
    return tile.pixmaps.empty() ? nullptr : tile.pixmaps[0];
}

uint32_t TilePixel(const TPixmap& pixmap, int32_t px, int32_t py) {
    const int32_t ox = px % CellSize;
    const int32_t oy = py % CellSize;
    if (ox < 0 || oy < 0 || ox >= pixmap.width || oy >= pixmap.height) {
        return 0;
    }
    return pixmap.ReadPixel(ox, oy);
}
