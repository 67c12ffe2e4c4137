#include "world/tile_code.h"

namespace {

// Exactly 0.0: every other value, however small, is a block.
bool IsRoad(const TGrid2D<float>& roadGrid, int32_t x, int32_t y) {
    return roadGrid(x, y) == 0.0f;
}

} // namespace

Text RoadTileCode(const TGrid2D<float>& roadGrid, int32_t x, int32_t y) {
    Text code;
    if (!IsRoad(roadGrid, x, y)) {
        return code;
    }
    if (IsRoad(roadGrid, x, y - 1)) {
        code += u'1';
    }
    if (IsRoad(roadGrid, x + 1, y)) {
        code += u'2';
    }
    if (IsRoad(roadGrid, x, y + 1)) {
        code += u'3';
    }
    if (IsRoad(roadGrid, x - 1, y)) {
        code += u'4';
    }
    return code;
}

Text RoadTileName(const Text& code) {
    return u"r" + code + u".png";
}
