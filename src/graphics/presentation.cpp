#include "graphics/presentation.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t Round(double value) {
    return static_cast<int32_t>(std::lround(value));
}

} // namespace

TPixelRect TPresentation::Map(int32_t x, int32_t y, int32_t w, int32_t h) const {
    const int32_t left = picture.x + Round(x * scaleX);
    const int32_t top = picture.y + Round(y * scaleY);
    const int32_t right = picture.x + Round((x + w) * scaleX);
    const int32_t bottom = picture.y + Round((y + h) * scaleY);
    return {left, top, right - left, bottom - top};
}

std::array<TPixelRect, 4> TPresentation::Bars() const {
    const int32_t right = picture.x + picture.w;
    const int32_t bottom = picture.y + picture.h;
    return {{
        {0, 0, drawableWidth, picture.y},                     // above
        {0, bottom, drawableWidth, drawableHeight - bottom},  // below
        {0, picture.y, picture.x, picture.h},                 // left
        {right, picture.y, drawableWidth - right, picture.h}, // right
    }};
}

TPresentation PresentationFor(int32_t windowWidth, int32_t windowHeight, double logicalWidth,
                              double logicalHeight, int32_t drawableWidth, int32_t drawableHeight) {
    TPresentation presentation;
    presentation.drawableWidth = drawableWidth;
    presentation.drawableHeight = drawableHeight;
    presentation.picture = {0, 0, drawableWidth, drawableHeight};
    if (windowWidth <= 0 || windowHeight <= 0 ||
        (drawableWidth == windowWidth && drawableHeight == windowHeight)) {
        return presentation;
    }
    if (logicalWidth <= 0.0 || logicalHeight <= 0.0) {
        logicalWidth = windowWidth;
        logicalHeight = windowHeight;
    }
    const double fit = std::min(drawableWidth / logicalWidth, drawableHeight / logicalHeight);
    double pictureWidth = logicalWidth * std::floor(fit);
    double pictureHeight = logicalHeight * std::floor(fit);
    if (fit < 1.0) {
        const double shrink = std::min(static_cast<double>(drawableWidth) / windowWidth,
                                       static_cast<double>(drawableHeight) / windowHeight);
        pictureWidth = windowWidth * shrink;
        pictureHeight = windowHeight * shrink;
    }
    const int32_t w = Round(pictureWidth);
    const int32_t h = Round(pictureHeight);
    presentation.picture = {(drawableWidth - w) / 2, (drawableHeight - h) / 2, w, h};
    presentation.scaleX = pictureWidth / windowWidth;
    presentation.scaleY = pictureHeight / windowHeight;
    return presentation;
}
