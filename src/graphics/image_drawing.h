#pragma once

// Placing and drawing images: the handle that lands on the drawing position,
// and the draw of one frame under the current drawing state.

#include "graphics/image.h"

#include <cstdint>

// The handle in pixels from the frame's top-left corner.
void SetImageOffset(TImage& image, float x, float y);
void CentreImageOffset(TImage& image);

// Draws the frame with its handle on (x, y) plus the origin, turned and
// scaled about the handle by the current transform and tinted by the current
// colour and alpha. The drawing handle plays no part. A frame index outside
// the image draws nothing.
void DrawImageFrame(TImage& image, float x, float y, int32_t frame);

int32_t ImageWidth(const TImage& image);
int32_t ImageHeight(const TImage& image);
