#pragma once

// The driver under the 2D drawing layer: it receives the state changes and
// primitives of the current TDraw2DGraphics. Positions are projection space
// (logical units); local points go through the transform of the last
// SetTransform and are then moved by (tx, ty).

#include "graphics/graphics_driver.h"
#include "graphics/image_frame.h"
#include "pixmap/pixmap.h"

#include <cstdint>
#include <memory>
#include <span>

class TDraw2DDriver : public TGraphicsDriver {
public:
    // A drawable frame for the pixmap, or null when none can be made. The
    // pixmap is not changed.
    virtual std::shared_ptr<TImageFrame>
    CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t flags) = 0;

    virtual void SetBlend(int32_t mode) = 0;
    virtual void SetAlpha(float alpha) = 0;
    virtual void SetColor(int32_t r, int32_t g, int32_t b) = 0;
    virtual void SetClsColor(int32_t r, int32_t g, int32_t b) = 0;
    // The clip rectangle in window pixels, from the top-left corner.
    virtual void SetViewport(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    virtual void SetTransform(float ix, float iy, float jx, float jy) = 0;
    // In window pixels.
    virtual void SetLineWidth(float width) = 0;

    virtual void Cls() = 0;
    // A point at (x, y), not transformed.
    virtual void Plot(float x, float y) = 0;
    virtual void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    virtual void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    // A filled ellipse inside the local box (x0, y0)-(x1, y1).
    virtual void DrawOval(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    // A filled polygon of the local points (x + hx, y + hy) of the x, y pairs.
    virtual void DrawPoly(std::span<const float> xy, float hx, float hy, float tx, float ty) = 0;
    // The pixels as they are, top-left corner at window pixel (x, y).
    virtual void DrawPixmap(const TPixmap& pixmap, int32_t x, int32_t y) = 0;
    // A new RGBA pixmap of the window area (x, y, w, h) in window pixels, top
    // row first, as drawn so far into the frame being built.
    virtual std::shared_ptr<TPixmap> GrabPixmap(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    // The logical size the window shows.
    virtual void SetResolution(float width, float height) = 0;
};
