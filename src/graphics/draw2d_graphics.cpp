#include "graphics/draw2d_graphics.h"

#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_font.h"

namespace {

struct TCurrentContext {
    std::shared_ptr<TDraw2DGraphics> graphics;
    std::shared_ptr<TDraw2DDriver> driver;
};

TCurrentContext& Context() {
    static TCurrentContext context;
    return context;
}

} // namespace

std::shared_ptr<TDraw2DGraphics> TDraw2DGraphics::Create(std::shared_ptr<TGraphics> graphics,
                                                         std::shared_ptr<TDraw2DDriver> driver) {
    auto context = std::make_shared<TDraw2DGraphics>();
    const TGraphicsSettings settings = graphics->GetSettings();
    context->viewport_w = settings.width;
    context->viewport_h = settings.height;
    context->image_font = DefaultImageFont();
    context->vres_width = static_cast<float>(settings.width);
    context->vres_height = static_cast<float>(settings.height);
    context->g_width = settings.width;
    context->g_height = settings.height;
    context->_graphics = std::move(graphics);
    context->_driver = std::move(driver);
    return context;
}

const std::shared_ptr<TDraw2DGraphics>& TDraw2DGraphics::Current() {
    return Context().graphics;
}

const std::shared_ptr<TDraw2DDriver>& TDraw2DGraphics::CurrentDriver() {
    return Context().driver;
}

void TDraw2DGraphics::ClearCurrent() {
    Context() = TCurrentContext();
}

std::shared_ptr<TGraphicsDriver> TDraw2DGraphics::Driver() const {
    return _driver;
}

TGraphicsSettings TDraw2DGraphics::GetSettings() const {
    return _graphics ? _graphics->GetSettings() : TGraphicsSettings();
}

void TDraw2DGraphics::Close() {
    if (_graphics) {
        _graphics->Close();
        _graphics = nullptr;
        _driver = nullptr;
    }
}

void TDraw2DGraphics::Validate() {
    const TGraphicsSettings settings = GetSettings();
    if (settings.width != g_width || settings.height != g_height) {
        g_width = settings.width;
        g_height = settings.height;
        vres_width = static_cast<float>(g_width);
        vres_height = static_cast<float>(g_height);
        vres_mousexscale = 1.0f;
        vres_mouseyscale = 1.0f;
    }
    SetLogicalSize(vres_width, vres_height);
    SetBlendMode(blend_mode);
    SetDrawColour(color_red, color_green, color_blue);
    SetDrawAlpha(color_alpha);
    SetClearColour(clscolor_red, clscolor_green, clscolor_blue);
    SetLineThickness(line_width);
    SetDrawRotation(tform_rot);
    SetDrawScale(tform_scale_x, tform_scale_y);
    SetClipRect(viewport_x, viewport_y, viewport_w, viewport_h);
    SetDrawOrigin(origin_x, origin_y);
    SetDrawHandle(-handle_x, -handle_y);
    SetDrawFont(image_font);
}

void TDraw2DGraphics::MakeCurrent() {
    Context() = {shared_from_this(), _driver};
    Validate();
    if (_setup == 0) {
        ClearScreen();
        PresentFrame(0);
        ClearScreen();
        PresentFrame(0);
        _setup = 1;
    }
}
