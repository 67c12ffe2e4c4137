#pragma once

// The 2D drawing layer's module functions. They act on the current 2D
// context (TDraw2DGraphics::Current): setters store the value in it and pass
// it to its driver, drawing functions place their primitive with its
// origin, handle and transform. With no context current they do nothing and
// the getters give zeros.
//
// Positions are logical units (SetLogicalSize), (0, 0) at the top left and
// y growing downwards; angles are degrees, positive clockwise.

#include "pixmap/pixmap.h"

#include <cstdint>
#include <memory>
#include <span>

class TImageFont;

void ClearScreen();
// Values are clamped to 0..255 on their way to the driver, alpha to 0..1.
void SetClearColour(int32_t r, int32_t g, int32_t b);
void SetDrawColour(int32_t r, int32_t g, int32_t b);
void SetDrawAlpha(float alpha);
// One of the Blend... modes of blend_mode.h.
void SetBlendMode(int32_t mode);
// In window pixels.
void SetLineThickness(float width);

void SetDrawRotation(float degrees);
void SetDrawScale(float scaleX, float scaleY);
void SetDrawRotationScale(float degrees, float scaleX, float scaleY);
// Added to every drawing position: the camera.
void SetDrawOrigin(float x, float y);
// The point of a rectangle, line, oval, polygon or text that lands on the
// drawing position. Images have their own (SetImageOffset).
void SetDrawHandle(float x, float y);

// The logical size the whole window shows, stretched to fit.
void SetLogicalSize(float width, float height);
// Drawing outside this logical rectangle is clipped away.
void SetClipRect(int32_t x, int32_t y, int32_t w, int32_t h);
// Null selects the default font.
void SetDrawFont(std::shared_ptr<TImageFont> font);

void FillRect(float x, float y, float w, float h);
// A single point, not transformed.
void Plot(float x, float y);
void DrawLine(float x0, float y0, float x1, float y1);
// A filled ellipse inside the rectangle.
void DrawOval(float x, float y, float w, float h);
// A filled polygon of x, y pairs, relative to the origin; fewer than three
// points or an odd count of numbers draws nothing.
void DrawPoly(std::span<const float> xy);

// Raw pixels at window pixel (x, y), unaffected by the drawing state.
void DrawPixmap(const TPixmap& pixmap, int32_t x, int32_t y);
// The window area (x, y, w, h) in window pixels, as drawn so far into the
// frame being built, as a new RGBA pixmap; null when nothing is current.
std::shared_ptr<TPixmap> GrabPixmap(int32_t x, int32_t y, int32_t w, int32_t h);

void GetClearColour(int32_t& r, int32_t& g, int32_t& b);
void GetDrawColour(int32_t& r, int32_t& g, int32_t& b);
float GetDrawAlpha();
int32_t GetBlendMode();
float GetLineThickness();
float GetDrawRotation();
void GetDrawScale(float& scaleX, float& scaleY);
void GetDrawOrigin(float& x, float& y);
void GetDrawHandle(float& x, float& y);
void GetClipRect(int32_t& x, int32_t& y, int32_t& w, int32_t& h);
float LogicalWidth();
float LogicalHeight();
std::shared_ptr<TImageFont> GetDrawFont();

// The pointer position in logical units.
float LogicalMouseX();
float LogicalMouseY();
