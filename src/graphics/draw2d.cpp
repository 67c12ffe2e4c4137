#include "graphics/draw2d.h"

#include "graphics/draw2d_graphics.h"
#include "graphics/draw_arithmetic.h"
#include "graphics/draw_transform.h"
#include "graphics/image_font.h"
#include "system/input_state.h"

namespace {

TDraw2DGraphics* Context() {
    return TDraw2DGraphics::Current().get();
}

TDraw2DDriver& Driver() {
    return *TDraw2DGraphics::CurrentDriver();
}

void UpdateTransform(TDraw2DGraphics& g) {
    const auto transform =
        TDrawTransform::FromRotationScale(g.tform_rot, g.tform_scale_x, g.tform_scale_y);
    g.tform_ix = transform.ix;
    g.tform_iy = transform.iy;
    g.tform_jx = transform.jx;
    g.tform_jy = transform.jy;
    Driver().SetTransform(g.tform_ix, g.tform_iy, g.tform_jx, g.tform_jy);
}

} // namespace

void ClearScreen() {
    if (Context()) {
        Driver().Cls();
    }
}

void SetClearColour(int32_t r, int32_t g, int32_t b) {
    if (auto* context = Context()) {
        context->clscolor_red = r;
        context->clscolor_green = g;
        context->clscolor_blue = b;
        Driver().SetClsColor(r, g, b);
    }
}

void SetDrawColour(int32_t r, int32_t g, int32_t b) {
    if (auto* context = Context()) {
        context->color_red = r;
        context->color_green = g;
        context->color_blue = b;
        Driver().SetColor(r, g, b);
    }
}

void SetDrawAlpha(float alpha) {
    if (auto* context = Context()) {
        context->color_alpha = alpha;
        Driver().SetAlpha(alpha);
    }
}

void SetBlendMode(int32_t mode) {
    if (auto* context = Context()) {
        context->blend_mode = mode;
        Driver().SetBlend(mode);
    }
}

void SetLineThickness(float width) {
    if (auto* context = Context()) {
        context->line_width = width;
        Driver().SetLineWidth(width);
    }
}

void SetDrawRotation(float degrees) {
    if (auto* context = Context()) {
        context->tform_rot = degrees;
        UpdateTransform(*context);
    }
}

void SetDrawScale(float scaleX, float scaleY) {
    if (auto* context = Context()) {
        context->tform_scale_x = scaleX;
        context->tform_scale_y = scaleY;
        UpdateTransform(*context);
    }
}

void SetDrawRotationScale(float degrees, float scaleX, float scaleY) {
    if (auto* context = Context()) {
        context->tform_rot = degrees;
        context->tform_scale_x = scaleX;
        context->tform_scale_y = scaleY;
        UpdateTransform(*context);
    }
}

void SetDrawOrigin(float x, float y) {
    if (auto* context = Context()) {
        context->origin_x = x;
        context->origin_y = y;
    }
}

void SetDrawHandle(float x, float y) {
    if (auto* context = Context()) {
        context->handle_x = -x;
        context->handle_y = -y;
    }
}

void SetLogicalSize(float width, float height) {
    if (auto* context = Context()) {
        context->vres_width = width;
        context->vres_height = height;
        // The context's own window size: the same as the current graphics'
        // settings, and never 0 while a window is open.
        if (context->g_width > 0 && context->g_height > 0) {
            context->vres_mousexscale = width / static_cast<float>(context->g_width);
            context->vres_mouseyscale = height / static_cast<float>(context->g_height);
        }
        Driver().SetResolution(width, height);
    }
}

void SetClipRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (auto* context = Context()) {
        context->viewport_x = x;
        context->viewport_y = y;
        context->viewport_w = w;
        context->viewport_h = h;
        const TPixelRect pixels =
            ClipRectToPixels(x, y, w, h, context->vres_mousexscale, context->vres_mouseyscale);
        Driver().SetViewport(pixels.x, pixels.y, pixels.w, pixels.h);
    }
}

void SetDrawFont(std::shared_ptr<TImageFont> font) {
    if (auto* context = Context()) {
        context->image_font = font ? std::move(font) : DefaultImageFont();
    }
}

void FillRect(float x, float y, float w, float h) {
    if (auto* g = Context()) {
        Driver().DrawRect(g->handle_x, g->handle_y, g->handle_x + w, g->handle_y + h,
                          x + g->origin_x, y + g->origin_y);
    }
}

void Plot(float x, float y) {
    if (auto* g = Context()) {
        Driver().Plot(x + g->origin_x, y + g->origin_y);
    }
}

void DrawLine(float x0, float y0, float x1, float y1) {
    if (auto* g = Context()) {
        Driver().DrawLine(g->handle_x, g->handle_y, g->handle_x + x1 - x0, g->handle_y + y1 - y0,
                          x0 + g->origin_x, y0 + g->origin_y);
    }
}

void DrawOval(float x, float y, float w, float h) {
    if (auto* g = Context()) {
        Driver().DrawOval(g->handle_x, g->handle_y, g->handle_x + w, g->handle_y + h,
                          x + g->origin_x, y + g->origin_y);
    }
}

void DrawPoly(std::span<const float> xy) {
    if (auto* g = Context()) {
        Driver().DrawPoly(xy, g->handle_x, g->handle_y, g->origin_x, g->origin_y);
    }
}

void DrawPixmap(const TPixmap& pixmap, int32_t x, int32_t y) {
    if (Context()) {
        Driver().DrawPixmap(pixmap, x, y);
    }
}

std::shared_ptr<TPixmap> GrabPixmap(int32_t x, int32_t y, int32_t w, int32_t h) {
    return Context() ? Driver().GrabPixmap(x, y, w, h) : nullptr;
}

void GetClearColour(int32_t& r, int32_t& g, int32_t& b) {
    const auto* context = Context();
    r = context ? context->clscolor_red : 0;
    g = context ? context->clscolor_green : 0;
    b = context ? context->clscolor_blue : 0;
}

void GetDrawColour(int32_t& r, int32_t& g, int32_t& b) {
    const auto* context = Context();
    r = context ? context->color_red : 0;
    g = context ? context->color_green : 0;
    b = context ? context->color_blue : 0;
}

float GetDrawAlpha() {
    const auto* context = Context();
    return context ? context->color_alpha : 0.0f;
}

int32_t GetBlendMode() {
    const auto* context = Context();
    return context ? context->blend_mode : 0;
}

float GetLineThickness() {
    const auto* context = Context();
    return context ? context->line_width : 0.0f;
}

float GetDrawRotation() {
    const auto* context = Context();
    return context ? context->tform_rot : 0.0f;
}

void GetDrawScale(float& scaleX, float& scaleY) {
    const auto* context = Context();
    scaleX = context ? context->tform_scale_x : 0.0f;
    scaleY = context ? context->tform_scale_y : 0.0f;
}

void GetDrawOrigin(float& x, float& y) {
    const auto* context = Context();
    x = context ? context->origin_x : 0.0f;
    y = context ? context->origin_y : 0.0f;
}

void GetDrawHandle(float& x, float& y) {
    const auto* context = Context();
    x = context ? -context->handle_x : 0.0f;
    y = context ? -context->handle_y : 0.0f;
}

void GetClipRect(int32_t& x, int32_t& y, int32_t& w, int32_t& h) {
    const auto* context = Context();
    x = context ? context->viewport_x : 0;
    y = context ? context->viewport_y : 0;
    w = context ? context->viewport_w : 0;
    h = context ? context->viewport_h : 0;
}

float LogicalWidth() {
    const auto* context = Context();
    return context ? context->vres_width : 0.0f;
}

float LogicalHeight() {
    const auto* context = Context();
    return context ? context->vres_height : 0.0f;
}

std::shared_ptr<TImageFont> GetDrawFont() {
    const auto* context = Context();
    return context ? context->image_font : nullptr;
}

float LogicalMouseX() {
    const auto* context = Context();
    return context ? static_cast<float>(PointerX()) * context->vres_mousexscale : 0.0f;
}

float LogicalMouseY() {
    const auto* context = Context();
    return context ? static_cast<float>(PointerY()) * context->vres_mouseyscale : 0.0f;
}
