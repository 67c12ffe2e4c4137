#include "effects/smoker.h"

#include "game/globals.h"
#include "graphics/draw2d.h"
#include "graphics/image_drawing.h"
#include "graphics/image_loading.h"
#include "io/directory.h"
#include "util/numeric.h"
#include "util/random.h"

namespace {

constexpr int32_t SmokeFrameSize = 8;
constexpr int32_t SmokeFrames = 4;

} // namespace

std::shared_ptr<tSmoker> tSmoker::Create(float x, float y) {
    auto puff = std::make_shared<tSmoker>();
    puff->x = TruncToInt(x);
    puff->y = TruncToInt(y);
    puff->start = FrameCount;
    return puff;
}

tSmoker::tSmoker() : interval(RandomInt(5, 20)) {
    if (!SmokeImage) {
        SmokeImage = LoadImageStrip(WorkingDirectory() + u"/img/smk.png", SmokeFrameSize,
                                    SmokeFrameSize, 0, SmokeFrames, 0);
        if (SmokeImage) {
            CentreImageOffset(*SmokeImage);
        }
    }
}

bool tSmoker::update(int32_t newX, int32_t newY) {
    // Steps are counted from the start of play, not from the puff's birth.
    // An interval that is not positive would divide by zero: such a puff
    // simply never steps.
    if (interval <= 0 || FrameCount % interval != 0) {
        return false;
    }
    ++frame;
    if (frame >= SmokeFrames) {
        frame = 0;
    }
    x = newX;
    y = newY;
    return true;
}

void tSmoker::draw() const {
    SetDrawOrigin(ViewOffsetX, ViewOffsetY);
    if (!SmokeImage) {
        return;
    }
    SetDrawScale(2.0f, 2.0f);
    DrawImageFrame(*SmokeImage, static_cast<float>(x), static_cast<float>(y), frame);
    SetDrawScale(1.0f, 1.0f);
}
