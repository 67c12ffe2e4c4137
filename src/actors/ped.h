#pragma once

// A pedestrian: stands still on the white ground of a road tile until a car
// comes within 5 pixels, and then lies there run over for the rest of the
// game. Running one over has no other effect.

#include <cstdint>

class tPed {
public:
    virtual ~tPed() = default;

    // Frame 0 of PedImage while standing, frame 1 once run over.
    virtual int32_t Draw();
    // Runs the pedestrian over if the point (px, py) is closer than 5 pixels.
    virtual int32_t update(int32_t px, int32_t py);

    float x = 0.0f;
    float y = 0.0f;
    // 1 while standing, 0 once run over; never back.
    int32_t alive = 1;
};

// Fills PedList up to 501 pedestrians, each on an opaque white pixel of a
// road tile in cells 4 .. 38 across and down. A city whose tiles offer too
// little white ground for that is a runtime error, not an endless search.
int32_t SpawnPedestrians();
