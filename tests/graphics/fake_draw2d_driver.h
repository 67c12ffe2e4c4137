#pragma once

// A 2D drawing driver without a window: it writes every call it gets into a
// log, as text, so that tests can see exactly what the drawing layer sends.
// Windows come from the fake graphics driver.

#include "fake_graphics_driver.h"
#include "graphics/draw2d_driver.h"
#include "graphics/draw2d_graphics.h"

#include <sstream>
#include <string>
#include <vector>

class TFakeDraw2DDriver : public TDraw2DDriver,
                          public std::enable_shared_from_this<TFakeDraw2DDriver> {
public:
    std::vector<std::string> calls;
    int framesMade = 0;

    template <typename... TArgs>
    void Log(const std::string& name, TArgs... args) {
        std::ostringstream line;
        line << name;
        ((line << ' ' << args), ...);
        calls.push_back(line.str());
    }

    std::vector<TGraphicsMode> GraphicsModes() override { return {}; }
    std::shared_ptr<TGraphics> CreateGraphics(int32_t width, int32_t height, int32_t depth,
                                              int32_t hertz, int32_t flags) override {
        auto graphics = _windows->CreateGraphics(width, height, depth, hertz, flags);
        return TDraw2DGraphics::Create(std::move(graphics), shared_from_this());
    }
    void SetGraphics(const std::shared_ptr<TGraphics>& graphics) override {
        if (const auto context = std::dynamic_pointer_cast<TDraw2DGraphics>(graphics)) {
            context->MakeCurrent();
        } else {
            TDraw2DGraphics::ClearCurrent();
        }
    }
    void Flip(int32_t sync) override { Log("Flip", sync); }

    std::shared_ptr<TImageFrame> CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap,
                                                       int32_t flags) override;
    void SetBlend(int32_t mode) override { Log("SetBlend", mode); }
    void SetAlpha(float alpha) override { Log("SetAlpha", alpha); }
    void SetColor(int32_t r, int32_t g, int32_t b) override { Log("SetColor", r, g, b); }
    void SetClsColor(int32_t r, int32_t g, int32_t b) override { Log("SetClsColor", r, g, b); }
    void SetViewport(int32_t x, int32_t y, int32_t w, int32_t h) override {
        Log("SetViewport", x, y, w, h);
    }
    void SetTransform(float ix, float iy, float jx, float jy) override {
        Log("SetTransform", ix, iy, jx, jy);
    }
    void SetLineWidth(float width) override { Log("SetLineWidth", width); }
    void Cls() override { Log("Cls"); }
    void Plot(float x, float y) override { Log("Plot", x, y); }
    void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) override {
        Log("DrawLine", x0, y0, x1, y1, tx, ty);
    }
    void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) override {
        Log("DrawRect", x0, y0, x1, y1, tx, ty);
    }
    void DrawOval(float x0, float y0, float x1, float y1, float tx, float ty) override {
        Log("DrawOval", x0, y0, x1, y1, tx, ty);
    }
    void DrawPoly(std::span<const float> xy, float hx, float hy, float tx, float ty) override {
        Log("DrawPoly", xy.size(), hx, hy, tx, ty);
    }
    void DrawPixmap(const TPixmap&, int32_t x, int32_t y) override { Log("DrawPixmap", x, y); }
    std::shared_ptr<TPixmap> GrabPixmap(int32_t x, int32_t y, int32_t w, int32_t h) override {
        Log("GrabPixmap", x, y, w, h);
        return nullptr;
    }
    void SetResolution(float width, float height) override { Log("SetResolution", width, height); }

private:
    std::shared_ptr<TFakeGraphicsDriver> _windows = std::make_shared<TFakeGraphicsDriver>();
};

// Logs its draws through the driver that made it, with the number it was
// made as: "Frame 1 Draw x0 y0 x1 y1 tx ty sx sy sw sh".
class TFakeImageFrame : public TImageFrame {
public:
    TFakeImageFrame(TFakeDraw2DDriver& driver, int number) : _driver(driver), _number(number) {}

    void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx, float sy,
              float sw, float sh) override {
        _driver.Log("Frame", _number, "Draw", x0, y0, x1, y1, tx, ty, sx, sy, sw, sh);
    }

private:
    TFakeDraw2DDriver& _driver;
    int _number;
};

inline std::shared_ptr<TImageFrame>
TFakeDraw2DDriver::CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t flags) {
    Log("CreateFrame", pixmap->width, pixmap->height, flags);
    return std::make_shared<TFakeImageFrame>(*this, ++framesMade);
}
