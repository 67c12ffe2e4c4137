#pragma once

// The smoke puff over a badly damaged car: a four-frame animation drawn at
// double size. It steps to its next frame on the frames whose FrameCount is
// a multiple of its interval, and only then jumps to where its car is, so it
// trails a moving car in jerks.

#include "graphics/image.h"

#include <cstdint>
#include <memory>

class tSmoker {
public:
    // Four 8 x 8 frames with a centred handle, shared by every puff. Loaded
    // from "img/smk.png" in the working directory by the first puff made;
    // while it is missing, puffs draw nothing and the next one tries again.
    static inline std::shared_ptr<TImage> SmokeImage;

    // A puff at the world position, truncated toward zero, starting now.
    static std::shared_ptr<tSmoker> Create(float x, float y);

    // A puff at (0, 0) with a random interval of 5 to 20 frames.
    tSmoker();

    // On a frame that is a multiple of the interval: steps to the next frame
    // (3 wraps to 0), moves to (newX, newY) and returns true. Otherwise
    // changes nothing and returns false.
    bool update(int32_t newX, int32_t newY);
    // Draws the puff centred on its position, with the drawing origin set to
    // the camera, and leaves the origin there.
    void draw() const;

    int32_t x = 0; // world position of the centre, whole pixels
    int32_t y = 0;
    int32_t start = 0;    // FrameCount when the puff was made
    int32_t interval = 0; // frames between steps
    int32_t frame = 0;    // 0 .. 3
};
