#include "world/mini_map.h"

#include "graphics/image_loading.h"
#include "pixmap/pixmap.h"
#include "world/city.h"

namespace {

constexpr uint32_t RoadPixel = 0xFF000000;
constexpr uint32_t BlockPixel = 0xFFFFFFFF;

} // namespace

int32_t BuildMiniMap() {
    auto pixmap = CreatePixmap(CityWidth, CityHeight, FormatRGB888, 4);
    for (int32_t x = 0; x < CityWidth; ++x) {
        for (int32_t y = 0; y < CityHeight; ++y) {
            pixmap->WritePixel(x, y, RoadGrid(x, y) <= 0.0f ? RoadPixel : BlockPixel);
        }
    }
    MiniMapImage = LoadImageFile(std::move(pixmap), 0);
    return 0;
}
