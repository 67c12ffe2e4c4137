#include "graphics/oval_outline.h"

#include "util/numeric.h"

#include <algorithm>
#include <cmath>

std::vector<TDrawPoint> OvalOutline(float x0, float y0, float x1, float y1) {
    const float xr = (x1 - x0) * 0.5f;
    const float yr = (y1 - y0) * 0.5f;
    const int32_t count = std::max(TruncToInt(std::fabs(xr) + std::fabs(yr)), 12) / 4 * 4;
    std::vector<TDrawPoint> points;
    points.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const double degrees = i * 360.0 / count;
        points.push_back({static_cast<float>(x0 + xr + xr * CosDeg(degrees)),
                          static_cast<float>(y0 + yr - yr * SinDeg(degrees))});
    }
    return points;
}
