#pragma once

// The 2D drawing driver on OpenGL 1.x immediate mode: each primitive is one
// glBegin/glEnd with its vertices transformed on the CPU. Windows, contexts
// and buffer swaps are the OpenGL graphics driver's; this driver wraps each
// new graphics in a TDraw2DGraphics.
//
// It keeps the OpenGL state it last set (blend mode, bound texture,
// texturing on or off) to skip repeated calls; ResetGLContext forgets it
// whenever a context becomes current.

#include "graphics/draw2d_driver.h"
#include "graphics/draw2d_graphics.h"
#include "graphics/draw_transform.h"
#include "graphics/native/gl_paths.h"
#include "graphics/presentation.h"
#include "util/text.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>

class TGLDraw2DDriver : public TDraw2DDriver, public std::enable_shared_from_this<TGLDraw2DDriver> {
public:
    std::vector<TGraphicsMode> GraphicsModes() override;
    std::shared_ptr<TGraphics> CreateGraphics(int32_t width, int32_t height, int32_t depth,
                                              int32_t hertz, int32_t flags) override;
    void SetGraphics(const std::shared_ptr<TGraphics>& graphics) override;
    void Flip(int32_t sync) override;

    std::shared_ptr<TImageFrame> CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap,
                                                       int32_t flags) override;
    void SetBlend(int32_t mode) override;
    void SetAlpha(float alpha) override;
    void SetColor(int32_t r, int32_t g, int32_t b) override;
    void SetClsColor(int32_t r, int32_t g, int32_t b) override;
    void SetViewport(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void SetTransform(float ix, float iy, float jx, float jy) override;
    void SetLineWidth(float width) override;
    void Cls() override;
    void Plot(float x, float y) override;
    void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) override;
    void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) override;
    void DrawOval(float x0, float y0, float x1, float y1, float tx, float ty) override;
    void DrawPoly(std::span<const float> xy, float hx, float hy, float tx, float ty) override;
    void DrawPixmap(const TPixmap& pixmap, int32_t x, int32_t y) override;
    std::shared_ptr<TPixmap> GrabPixmap(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void SetResolution(float width, float height) override;

    // Sets up the projection and viewport of the graphics' whole window (it
    // must be current) and forgets the state caches.
    void ResetGLContext(const TDraw2DGraphics& graphics);

    // Binds the texture `name`, only when another one is bound.
    void BindTexture(uint32_t name);
    // Texturing on with the texture `name` bound; each call only when needed.
    void EnableTexture(uint32_t name);
    void DisableTexture();
    // The texture was deleted, and OpenGL unbinds a deleted texture.
    void ForgetTexture(uint32_t name);
    // The transform of the next primitives.
    const TDrawTransform& Transform() const { return _transform; }
    // False when a shape with these corners (in the projection's units) lies
    // wholly outside the picture, so that it would draw no pixel: most of a
    // city's tiles and pedestrians each frame. Skipping them saves a draw
    // call each, which the browser's emulated immediate mode pays dearly.
    bool MayShow(std::span<const TDrawPoint> corners) const;

    Text ToString() const { return u"OpenGL"; }

private:
    void _SendColour() const;
    TPixelRowPlacement _PixelRowPlacement() const;
    // Reads the drawable's size and, when the presentation changes (or
    // always, when forced), shows the picture there from now on.
    void _UpdatePresentation(bool force);
    void _ApplyClip();
    // Paints the bars around a scaled picture black, whatever was drawn there.
    void _ClearBars();

    int32_t _blend = 0; // 0: none applied since the last reset
    uint32_t _boundTexture = 0;
    bool _texturing = false;
    std::array<uint8_t, 4> _colour{255, 255, 255, 255}; // R, G, B, A
    TDrawTransform _transform;
    int32_t _windowWidth = 0;
    int32_t _windowHeight = 0;
    // What the program last set, in its own window pixels and units, kept
    // to be mapped again whenever the drawable changes size.
    int32_t _nativeContext = 0;
    float _logicalWidth = 0.0f;
    float _logicalHeight = 0.0f;
    TPixelRect _clip;
    float _lineWidth = 1.0f;
    std::array<uint8_t, 3> _clearColour{0, 0, 0};
    TPresentation _presentation;
};

// The one 2D driver, made on first use and kept for the program's life.
const std::shared_ptr<TGLDraw2DDriver>& GLDraw2DDriver();

// Makes the 2D driver the graphics driver, with double-buffered windows by
// default. The program calls it once before OpenGraphics.
void InstallDraw2DDriver();
