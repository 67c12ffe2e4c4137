#include "road_tiles.h"

#include "noise.h"
#include "pixel_grid.h"

#include <algorithm>
#include <cmath>

namespace {

// The ground is laid out by clearance: the distance from a pixel's centre to
// the nearest building. Inside a building is wall, the first 6 px around it
// pavement, everything farther away carriageway. The buildings are a strip
// along every closed side, a square block in every corner, and a rounded
// fill where two closed sides meet, which turns a bend into an even curve and
// closes a dead end with a half circle.

constexpr double Size = TileSize;
constexpr double Wall = WallDepth;
constexpr double Kerb = PavementWidth;
// The middle of the carriageway lies this far from the nearest building.
constexpr double MiddleClearance = Kerb + CarriagewayWidth / 2.0;

enum TSide { North, East, South, West };

enum class TGround { Building, Pavement, Carriageway };

struct TPoint2 {
    double x;
    double y;
};

struct TBox {
    double left;
    double top;
    double right;
    double bottom;
};

struct TCorner {
    TSide first;
    TSide second;
    TPoint2 point;
    TPoint2 inward; // unit steps from the corner into the tile
    TBox block;
};

constexpr TBox SideStrips[] = {
    {0, 0, Size, Wall},           // north
    {Size - Wall, 0, Size, Size}, // east
    {0, Size - Wall, Size, Size}, // south
    {0, 0, Wall, Size},           // west
};

constexpr TCorner Corners[] = {
    {West, North, {0, 0}, {1, 1}, {0, 0, Wall, Wall}},
    {North, East, {Size, 0}, {-1, 1}, {Size - Wall, 0, Size, Wall}},
    {East, South, {Size, Size}, {-1, -1}, {Size - Wall, Size - Wall, Size, Size}},
    {South, West, {0, Size}, {1, -1}, {0, Size - Wall, Wall, Size}},
};

class TRoadShape {
public:
    explicit TRoadShape(std::string_view code) {
        for (const char digit : code) {
            _open[digit - '1'] = true;
        }
        _openCount = static_cast<int>(std::count(std::begin(_open), std::end(_open), true));
    }

    bool IsOpen(TSide side) const { return _open[side]; }
    int OpenCount() const { return _openCount; }
    bool IsStraight() const { return _openCount == 2 && _open[North] == _open[South]; }
    bool IsBend() const { return _openCount == 2 && !IsStraight(); }

    double Clearance(TPoint2 p) const {
        double nearest = Size;
        for (const TSide side : {North, East, South, West}) {
            if (!_open[side]) {
                nearest = std::min(nearest, DistanceToBox(p, SideStrips[side]));
            }
        }
        for (const TCorner& corner : Corners) {
            nearest = std::min(nearest, DistanceToBox(p, corner.block));
            if (!_open[corner.first] && !_open[corner.second]) {
                nearest = std::min(nearest, DistanceToFill(p, corner));
            }
        }
        return nearest;
    }

private:
    static double DistanceToBox(TPoint2 p, const TBox& box) {
        const double dx = std::max({box.left - p.x, 0.0, p.x - box.right});
        const double dy = std::max({box.top - p.y, 0.0, p.y - box.bottom});
        return std::hypot(dx, dy);
    }

    // The fill is the part of the corner's quarter beyond a circle. A bend
    // (two closed sides) curves around the opposite corner block, so its
    // circle is as large as the space between the strips; a dead end (three
    // closed sides) has two fills that meet in a half circle. Outside its
    // quarter the strips are always nearer than the fill.
    double DistanceToFill(TPoint2 p, const TCorner& corner) const {
        const double radius = _openCount == 2 ? Size - 2 * Wall : (Size - 2 * Wall) / 2;
        const TPoint2 centre{corner.point.x + corner.inward.x * (Wall + radius),
                             corner.point.y + corner.inward.y * (Wall + radius)};
        const bool inQuarter =
            (p.x - centre.x) * corner.inward.x <= 0 && (p.y - centre.y) * corner.inward.y <= 0;
        if (!inQuarter) {
            return Size;
        }
        return std::max(0.0, radius - std::hypot(p.x - centre.x, p.y - centre.y));
    }

    bool _open[4] = {};
    int _openCount = 0;
};

TPoint2 PixelCentre(int32_t x, int32_t y) {
    return {x + 0.5, y + 0.5};
}

TGround GroundFromClearance(double clearance) {
    if (clearance <= 0.0) {
        return TGround::Building;
    }
    return clearance <= Kerb ? TGround::Pavement : TGround::Carriageway;
}

// How far a pixel lies from a side of the tile.
int32_t Along(TSide side, int32_t x, int32_t y) {
    switch (side) {
    case North:
        return y;
    case East:
        return TileSize - 1 - x;
    case South:
        return TileSize - 1 - y;
    case West:
        return x;
    }
    return 0;
}

// Where a pixel lies along a side, counted left to right or top to bottom.
int32_t Across(TSide side, int32_t x, int32_t y) {
    return side == North || side == South ? x : y;
}

enum class TPaint { None, CentreLine, Zebra };

// Dashes of 8 px with gaps of 8, placed so that every tile edge falls in a
// gap and the pattern runs on unbroken from tile to tile.
bool InDash(int32_t distanceFromEdge) {
    const int32_t phase = distanceFromEdge % 16;
    return phase >= 4 && phase < 12;
}

// Junctions get a zebra crossing on every arm, across the carriageway from
// kerb to kerb; straights and dead ends a dashed centre line; bends a solid
// one, as drivers should not cut a blind corner.
TPaint PaintAt(const TRoadShape& shape, int32_t x, int32_t y, double clearance) {
    if (shape.OpenCount() >= 3) {
        for (const TSide side : {North, East, South, West}) {
            const int32_t along = Along(side, x, y);
            const int32_t across = Across(side, x, y) - (WallDepth + PavementWidth + 1);
            if (shape.IsOpen(side) && along >= 2 && along < 10 && across >= 0 && across % 4 < 2) {
                return TPaint::Zebra;
            }
        }
        return TPaint::None;
    }
    if (std::abs(clearance - MiddleClearance) >= 1.0) {
        return TPaint::None;
    }
    if (shape.IsBend()) {
        return TPaint::CentreLine;
    }
    if (shape.IsStraight()) {
        return InDash(shape.IsOpen(North) ? y : x) ? TPaint::CentreLine : TPaint::None;
    }
    for (const TSide side : {North, East, South, West}) {
        if (shape.IsOpen(side)) {
            const int32_t along = Along(side, x, y);
            return along < TileSize / 2 - 2 && InDash(along) ? TPaint::CentreLine : TPaint::None;
        }
    }
    return TPaint::None;
}

constexpr uint32_t Asphalt = 0xFF46474F;
constexpr uint32_t AsphaltLight = 0xFF51525B;
constexpr uint32_t AsphaltDark = 0xFF3C3D44;
constexpr uint32_t Gutter = 0xFF75767D;
constexpr uint32_t LinePaint = 0xFFE8BE3A;
constexpr uint32_t ZebraPaint = 0xFFDCDCD2;

uint32_t AsphaltAt(std::string_view code, int32_t x, int32_t y) {
    const double grain = UnitNoise(static_cast<uint32_t>(x), static_cast<uint32_t>(y),
                                   static_cast<uint32_t>(code.size() * 31 + code.back()));
    if (grain < 0.12) {
        return AsphaltLight;
    }
    return grain < 0.24 ? AsphaltDark : Asphalt;
}

} // namespace

std::shared_ptr<TPixmap> PaintRoadTile(std::string_view code) {
    const TRoadShape shape(code);
    auto tile = NewCanvas(TileSize, TileSize);
    auto groundAt = [&](int32_t x, int32_t y) {
        return GroundFromClearance(shape.Clearance(PixelCentre(x, y)));
    };
    for (int32_t y = 0; y < TileSize; ++y) {
        for (int32_t x = 0; x < TileSize; ++x) {
            const double clearance = shape.Clearance(PixelCentre(x, y));
            const TGround ground = GroundFromClearance(clearance);
            if (ground == TGround::Building) {
                tile->WritePixel(x, y, WallColour);
                continue;
            }
            if (ground == TGround::Pavement) {
                tile->WritePixel(x, y, PavementColour);
                continue;
            }
            // A lighter line along the kerb reads as its edge stone.
            const bool byKerb = groundAt(x - 1, y) == TGround::Pavement ||
                                groundAt(x + 1, y) == TGround::Pavement ||
                                groundAt(x, y - 1) == TGround::Pavement ||
                                groundAt(x, y + 1) == TGround::Pavement;
            uint32_t colour = byKerb ? Gutter : AsphaltAt(code, x, y);
            switch (PaintAt(shape, x, y, clearance)) {
            case TPaint::CentreLine:
                colour = LinePaint;
                break;
            case TPaint::Zebra:
                colour = ZebraPaint;
                break;
            case TPaint::None:
                break;
            }
            tile->WritePixel(x, y, colour);
        }
    }
    return tile;
}
