#pragma once

// What a driver makes of one frame of an image so that it can be drawn: for
// the OpenGL driver, a texture.

class TImageFrame {
public:
    virtual ~TImageFrame() = default;

    // Draws the source rectangle (sx, sy, sw, sh) of the frame, in pixels,
    // onto the local quad (x0, y0)-(x1, y1), placed at (tx, ty) through the
    // current transform, colour, alpha and blend mode.
    virtual void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx,
                      float sy, float sw, float sh) = 0;
};
