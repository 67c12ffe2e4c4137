#pragma once

// A 2D drawing context: a graphics of the platform driver together with the
// drawing state that the module functions of draw2d.h set and use. The state
// lives in the fields, so that it survives while other graphics are current
// and is sent to the driver again when this one becomes current.

#include "graphics/draw2d_driver.h"
#include "graphics/graphics_driver.h"

#include <cstdint>
#include <memory>

class TImageFont;

class TDraw2DGraphics : public TGraphics, public std::enable_shared_from_this<TDraw2DGraphics> {
public:
    // A context over `graphics` with the state every context starts with and
    // the logical size of the window. Makes the default font on first use.
    static std::shared_ptr<TDraw2DGraphics> Create(std::shared_ptr<TGraphics> graphics,
                                                   std::shared_ptr<TDraw2DDriver> driver);
    // The context the module functions act on, and its driver; null when
    // none is current.
    static const std::shared_ptr<TDraw2DGraphics>& Current();
    static const std::shared_ptr<TDraw2DDriver>& CurrentDriver();
    static void ClearCurrent();

    std::shared_ptr<TGraphicsDriver> Driver() const override;
    // The platform driver's graphics this context draws into; null once
    // closed.
    const std::shared_ptr<TGraphics>& Graphics() const { return _graphics; }
    TGraphicsSettings GetSettings() const override;
    // Closes the wrapped graphics and lets go of it and of the driver.
    void Close() override;

    // Takes in a changed window size (the logical size then becomes the
    // window size), then sends every setting to the driver again. Only for
    // the current context.
    virtual void Validate();
    // Makes this the current context and validates it. The first time, both
    // buffers are cleared, so that the first frames show no leftovers.
    virtual void MakeCurrent();

    int32_t color_red = 255;
    int32_t color_green = 255;
    int32_t color_blue = 255;
    float color_alpha = 1.0f;
    int32_t clscolor_red = 0;
    int32_t clscolor_green = 0;
    int32_t clscolor_blue = 0;
    float line_width = 1.0f;
    float tform_rot = 0.0f;
    float tform_scale_x = 1.0f;
    float tform_scale_y = 1.0f;
    float tform_ix = 1.0f;
    float tform_iy = 0.0f;
    float tform_jx = 0.0f;
    float tform_jy = 1.0f;
    // The clip rectangle in logical units.
    int32_t viewport_x = 0;
    int32_t viewport_y = 0;
    int32_t viewport_w = 0;
    int32_t viewport_h = 0;
    float origin_x = 0.0f;
    float origin_y = 0.0f;
    // The drawing handle, negated: the offset added to local coordinates.
    float handle_x = 0.0f;
    float handle_y = 0.0f;
    std::shared_ptr<TImageFont> image_font;
    int32_t blend_mode = 1; // BlendCutout
    float vres_width = 0.0f;
    float vres_height = 0.0f;
    // Logical units per window pixel.
    float vres_mousexscale = 1.0f;
    float vres_mouseyscale = 1.0f;
    int32_t g_width = 0;
    int32_t g_height = 0;

private:
    std::shared_ptr<TGraphics> _graphics;
    std::shared_ptr<TDraw2DDriver> _driver;
    // 1 once the first MakeCurrent has cleared both buffers.
    int32_t _setup = 0;
};
