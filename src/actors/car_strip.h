#pragma once

// Drawing the cars from CarStrip. Both kinds draw the same way around their
// own body: a shadow first, then the body, then the rest of the drawing state
// and the smoke. Positions are world pixels under the camera's origin.

#include <cstdint>
#include <memory>

class tSmoker;

// Draws a frame of CarStrip under the current drawing state; nothing while
// the strip is not loaded.
void DrawCarFrame(float x, float y, int32_t frame);

// The camera's origin, then the shadow a car casts: `frame` in half-
// transparent black, one pixel right of and below the car, turned by
// `rotation`. The rotation stays set for the body.
void DrawCarShadow(float x, float y, float rotation, int32_t frame);

// After the body: rotation 0 and full alpha again, the car's smoke (stepped
// to the car's whole-pixel position) and the screen's origin. The colour is
// left as the body had it.
void FinishCarDrawing(const std::shared_ptr<tSmoker>& smoker, float x, float y);
