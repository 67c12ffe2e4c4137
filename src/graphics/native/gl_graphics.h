#pragma once

// The OpenGL graphics driver: thin objects over the native window contexts.

#include "graphics/graphics_driver.h"

#include <cstdint>
#include <memory>

class TGLGraphics : public TGraphics {
public:
    explicit TGLGraphics(int32_t context) : _context(context) {}
    // The window goes with the last reference to it.
    ~TGLGraphics() override;
    TGLGraphics(const TGLGraphics&) = delete;
    TGLGraphics& operator=(const TGLGraphics&) = delete;

    std::shared_ptr<TGraphicsDriver> Driver() const override;
    TGraphicsSettings GetSettings() const override;
    void Close() override;

    // The native context's handle, 0 once closed.
    int32_t Context() const { return _context; }

private:
    int32_t _context;
};

class TGLGraphicsDriver : public TGraphicsDriver {
public:
    std::vector<TGraphicsMode> GraphicsModes() override;
    std::shared_ptr<TGraphics> CreateGraphics(int32_t width, int32_t height, int32_t depth,
                                              int32_t hertz, int32_t flags) override;
    void SetGraphics(const std::shared_ptr<TGraphics>& graphics) override;
    void Flip(int32_t sync) override;
};

// The one OpenGL driver, made on first use and kept for the program's life.
const std::shared_ptr<TGLGraphicsDriver>& GLGraphicsDriver();
