#include "actors/car_strip.h"

#include "game/globals.h"
#include "graphics/images.h"

void DrawCarFrame(float x, float y, int32_t frame) {
    if (CarStrip) {
        DrawImageFrame(*CarStrip, x, y, frame);
    }
}
