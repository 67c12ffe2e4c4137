#pragma once

// The two abstractions every graphics back end provides: a driver that lists
// display modes, makes contexts and presents frames, and the contexts
// (graphics) it makes, each a window with its rendering context.

#include "graphics/graphics_mode.h"

#include <cstdint>
#include <memory>
#include <vector>

class TGraphicsDriver;

struct TGraphicsSettings {
    int32_t width = 0;
    int32_t height = 0;
    int32_t depth = 0; // 0 for a window, bits per pixel for full screen
    int32_t hertz = 0;
    int32_t flags = 0; // graphics flags of the context
};

class TGraphics {
public:
    virtual ~TGraphics() = default;

    // The driver that made this graphics.
    virtual std::shared_ptr<TGraphicsDriver> Driver() const = 0;
    virtual TGraphicsSettings GetSettings() const = 0;
    // Releases the window and its context; closing twice is harmless.
    virtual void Close() = 0;
};

class TGraphicsDriver {
public:
    virtual ~TGraphicsDriver() = default;

    virtual std::vector<TGraphicsMode> GraphicsModes() = 0;
    // A new graphics, or null when the platform could make none. May raise a
    // runtime error, which the module's creation turns into null.
    virtual std::shared_ptr<TGraphics> CreateGraphics(int32_t width, int32_t height, int32_t depth,
                                                      int32_t hertz, int32_t flags) = 0;
    // Makes `graphics` current for drawing; null makes none current.
    virtual void SetGraphics(const std::shared_ptr<TGraphics>& graphics) = 0;
    // Presents the back buffer; a non-zero `sync` waits for the vertical retrace.
    virtual void Flip(int32_t sync) = 0;
};
