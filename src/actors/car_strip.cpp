#include "actors/car_strip.h"

#include "effects/smoker.h"
#include "game/globals.h"
#include "graphics/draw2d.h"
#include "graphics/image_drawing.h"
#include "util/numeric.h"

void DrawCarFrame(float x, float y, int32_t frame) {
    if (CarStrip) {
        DrawImageFrame(*CarStrip, x, y, frame);
    }
}

void DrawCarShadow(float x, float y, float rotation, int32_t frame) {
    SetDrawOrigin(ViewOffsetX, ViewOffsetY);
    SetDrawColour(0, 0, 0);
    SetDrawAlpha(0.5f);
    SetDrawRotation(rotation);
    DrawCarFrame(x + 1.0f, y + 1.0f, frame);
}

void FinishCarDrawing(const std::shared_ptr<tSmoker>& smoker, float x, float y) {
    SetDrawRotation(0.0f);
    SetDrawAlpha(1.0f);
    if (smoker) {
        smoker->update(TruncToInt(x), TruncToInt(y));
        smoker->draw();
    }
    SetDrawOrigin(0.0f, 0.0f);
}
