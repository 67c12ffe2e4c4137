#include "graphics/native/gl_draw2d_driver.h"

#include "graphics/blend_mode.h"
#include "graphics/draw_arithmetic.h"
#include "graphics/graphics_context.h"
#include "graphics/graphics_flags.h"
#include "graphics/native/gl_graphics.h"
#include "graphics/native/gl_image_frame.h"
#include "graphics/native/gl_paths.h"
#include "graphics/native/native_context.h"
#include "graphics/oval_outline.h"
#include "pixmap/pixmap_transform.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

void Vertex(const TDrawPoint& point) {
    glVertex2f(point.x, point.y);
}

void SetProjection(double width, double height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // y grows downwards, as on the screen.
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
}

// Sets a blend mode for the length of a raw pixel transfer.
class TBlendOverride {
public:
    TBlendOverride(TGLDraw2DDriver& driver, int32_t saved, int32_t mode)
        : _driver(driver), _saved(saved) {
        _driver.SetBlend(mode);
    }
    ~TBlendOverride() { _driver.SetBlend(_saved); }
    TBlendOverride(const TBlendOverride&) = delete;
    TBlendOverride& operator=(const TBlendOverride&) = delete;

private:
    TGLDraw2DDriver& _driver;
    int32_t _saved;
};

} // namespace

std::vector<TGraphicsMode> TGLDraw2DDriver::GraphicsModes() {
    return GLGraphicsDriver()->GraphicsModes();
}

std::shared_ptr<TGraphics> TGLDraw2DDriver::CreateGraphics(int32_t width, int32_t height,
                                                           int32_t depth, int32_t hertz,
                                                           int32_t flags) {
    auto graphics = GLGraphicsDriver()->CreateGraphics(width, height, depth, hertz, flags);
    if (!graphics) {
        return nullptr;
    }
    return TDraw2DGraphics::Create(std::move(graphics), shared_from_this());
}

void TGLDraw2DDriver::SetGraphics(const std::shared_ptr<TGraphics>& graphics) {
    const auto context = std::dynamic_pointer_cast<TDraw2DGraphics>(graphics);
    if (!context) {
        TDraw2DGraphics::ClearCurrent();
        GLGraphicsDriver()->SetGraphics(nullptr);
        return;
    }
    GLGraphicsDriver()->SetGraphics(context->Graphics());
    const auto* gl = dynamic_cast<const TGLGraphics*>(context->Graphics().get());
    _nativeContext = gl ? gl->Context() : 0;
    ResetGLContext(*context);
    context->MakeCurrent();
}

void TGLDraw2DDriver::Flip(int32_t sync) {
    _ClearBars();
    GLGraphicsDriver()->Flip(sync);
    // A resize or a switch to full screen shows from the next frame on.
    _UpdatePresentation(false);
}

void TGLDraw2DDriver::_UpdatePresentation(bool force) {
    const TDrawableSize drawable = NativeDrawableSize(_nativeContext);
    const int32_t width = drawable.width > 0 ? drawable.width : _windowWidth;
    const int32_t height = drawable.height > 0 ? drawable.height : _windowHeight;
    const TPresentation presentation =
        PresentationFor(_windowWidth, _windowHeight, _logicalWidth, _logicalHeight, width, height);
    if (!force && presentation == _presentation) {
        return;
    }
    _presentation = presentation;
    const TPixelRect& picture = presentation.picture;
    // OpenGL counts rows from the bottom.
    glViewport(picture.x, presentation.drawableHeight - picture.y - picture.h, picture.w,
               picture.h);
    _ApplyClip();
    ApplyLineWidth(static_cast<float>(_lineWidth * presentation.scaleY));
    SetNativePresentation(_nativeContext, presentation);
}

void TGLDraw2DDriver::_ApplyClip() {
    const bool whole = _clip == TPixelRect{0, 0, _windowWidth, _windowHeight};
    if (whole && _presentation.picture ==
                     TPixelRect{0, 0, _presentation.drawableWidth, _presentation.drawableHeight}) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    // An empty or inverted rectangle clips everything away (OpenGL would
    // refuse a negative size and keep the previous rectangle).
    const TPixelRect mapped =
        _presentation.Map(_clip.x, _clip.y, std::max(_clip.w, 0), std::max(_clip.h, 0));
    glEnable(GL_SCISSOR_TEST);
    glScissor(mapped.x, _presentation.drawableHeight - mapped.y - mapped.h, mapped.w, mapped.h);
}

void TGLDraw2DDriver::_ClearBars() {
    bool cleared = false;
    for (const TPixelRect& bar : _presentation.Bars()) {
        if (bar.w <= 0 || bar.h <= 0) {
            continue;
        }
        if (!cleared) {
            glEnable(GL_SCISSOR_TEST);
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            cleared = true;
        }
        glScissor(bar.x, _presentation.drawableHeight - bar.y - bar.h, bar.w, bar.h);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    if (cleared) {
        SetClsColor(_clearColour[0], _clearColour[1], _clearColour[2]);
        _ApplyClip();
    }
}

std::shared_ptr<TImageFrame>
TGLDraw2DDriver::CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t flags) {
    return TGLImageFrame::CreateFromPixmap(pixmap, flags);
}

void TGLDraw2DDriver::SetBlend(int32_t mode) {
    if (mode == _blend) {
        return;
    }
    _blend = mode;
    switch (mode) {
    case BlendCutout:
        glDisable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GEQUAL, 0.5f);
        break;
    case BlendTranslucent:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_ALPHA_TEST);
        break;
    case BlendAdditive:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glDisable(GL_ALPHA_TEST);
        break;
    case BlendMultiply:
        glEnable(GL_BLEND);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        glDisable(GL_ALPHA_TEST);
        break;
    default: // BlendOpaque and unknown modes
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        break;
    }
}

void TGLDraw2DDriver::SetAlpha(float alpha) {
    _colour[3] = AlphaByte(alpha);
    _SendColour();
}

void TGLDraw2DDriver::SetColor(int32_t r, int32_t g, int32_t b) {
    _colour[0] = ColourByte(r);
    _colour[1] = ColourByte(g);
    _colour[2] = ColourByte(b);
    _SendColour();
}

void TGLDraw2DDriver::SetClsColor(int32_t r, int32_t g, int32_t b) {
    _clearColour = {ColourByte(r), ColourByte(g), ColourByte(b)};
    glClearColor(_clearColour[0] / 255.0f, _clearColour[1] / 255.0f, _clearColour[2] / 255.0f,
                 1.0f);
}

void TGLDraw2DDriver::SetViewport(int32_t x, int32_t y, int32_t w, int32_t h) {
    _clip = {x, y, w, h};
    _ApplyClip();
}

void TGLDraw2DDriver::SetTransform(float ix, float iy, float jx, float jy) {
    _transform = {ix, iy, jx, jy};
}

void TGLDraw2DDriver::SetLineWidth(float width) {
    _lineWidth = width;
    ApplyLineWidth(static_cast<float>(width * _presentation.scaleY));
}

void TGLDraw2DDriver::Cls() {
    glClear(GL_COLOR_BUFFER_BIT);
}

void TGLDraw2DDriver::Plot(float x, float y) {
    DisableTexture();
    glBegin(GL_POINTS);
    // The centre of the pixel.
    glVertex2f(x + 0.5f, y + 0.5f);
    glEnd();
}

void TGLDraw2DDriver::DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) {
    DisableTexture();
    const TDrawPoint from = _transform.Apply(x0, y0, tx, ty);
    const TDrawPoint to = _transform.Apply(x1, y1, tx, ty);
    DrawLineSegment({from.x + 0.5f, from.y + 0.5f}, {to.x + 0.5f, to.y + 0.5f},
                    static_cast<float>(_lineWidth * _presentation.scaleY), _PixelRowPlacement());
}

void TGLDraw2DDriver::DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) {
    const std::array<TDrawPoint, 4> corners{
        _transform.Apply(x0, y0, tx, ty), _transform.Apply(x1, y0, tx, ty),
        _transform.Apply(x1, y1, tx, ty), _transform.Apply(x0, y1, tx, ty)};
    if (!MayShow(corners)) {
        return;
    }
    DisableTexture();
    glBegin(GL_QUADS);
    for (const TDrawPoint& corner : corners) {
        Vertex(corner);
    }
    glEnd();
}

bool TGLDraw2DDriver::MayShow(std::span<const TDrawPoint> corners) const {
    // A shape touching the picture's edge only covers no pixel centre.
    const auto left = [](const TDrawPoint& p) { return p.x <= 0.0f; };
    const auto above = [](const TDrawPoint& p) { return p.y <= 0.0f; };
    const auto right = [this](const TDrawPoint& p) { return p.x >= _logicalWidth; };
    const auto below = [this](const TDrawPoint& p) { return p.y >= _logicalHeight; };
    return !(std::all_of(corners.begin(), corners.end(), left) ||
             std::all_of(corners.begin(), corners.end(), above) ||
             std::all_of(corners.begin(), corners.end(), right) ||
             std::all_of(corners.begin(), corners.end(), below));
}

void TGLDraw2DDriver::DrawOval(float x0, float y0, float x1, float y1, float tx, float ty) {
    DisableTexture();
    glBegin(ConvexFillPrimitive());
    for (const TDrawPoint& point : OvalOutline(x0, y0, x1, y1)) {
        Vertex(_transform.Apply(point.x, point.y, tx, ty));
    }
    glEnd();
}

void TGLDraw2DDriver::DrawPoly(std::span<const float> xy, float hx, float hy, float tx, float ty) {
    if (xy.size() < 6 || xy.size() % 2 != 0) {
        return;
    }
    DisableTexture();
    glBegin(ConvexFillPrimitive());
    for (size_t i = 0; i < xy.size(); i += 2) {
        Vertex(_transform.Apply(xy[i] + hx, xy[i + 1] + hy, tx, ty));
    }
    glEnd();
}

void TGLDraw2DDriver::DrawPixmap(const TPixmap& pixmap, int32_t x, int32_t y) {
    if (pixmap.width <= 0 || pixmap.height <= 0) {
        return;
    }
    DisableTexture();
    const TBlendOverride opaque(*this, _blend, BlendOpaque);
    const auto rgba = pixmap.Convert(FormatRGBA8888);
    DrawPixelRows(*rgba, x, y, _PixelRowPlacement());
    // The rows may have bound a texture of their own.
    glBindTexture(GL_TEXTURE_2D, _boundTexture);
    _SendColour();
}

TPixelRowPlacement TGLDraw2DDriver::_PixelRowPlacement() const {
    return {static_cast<float>(_presentation.scaleX), static_cast<float>(_presentation.scaleY),
            _logicalWidth / static_cast<float>(_windowWidth),
            _logicalHeight / static_cast<float>(_windowHeight)};
}

std::shared_ptr<TPixmap> TGLDraw2DDriver::GrabPixmap(int32_t x, int32_t y, int32_t w, int32_t h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    const TBlendOverride opaque(*this, _blend, BlendOpaque);
    // The window pixels as they are shown, read back at the size asked for.
    const TPixelRect shown = _presentation.Map(x, y, w, h);
    auto rows = CreatePixmap(shown.w, shown.h, FormatRGBA8888);
    if (shown.w > 0 && shown.h > 0) {
        glPixelStorei(GL_PACK_ROW_LENGTH, rows->pitch / 4);
        glReadPixels(shown.x, _presentation.drawableHeight - shown.y - shown.h, shown.w, shown.h,
                     GL_RGBA, GL_UNSIGNED_BYTE, rows->pixels);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    }
    // OpenGL gives the bottom row first.
    auto grabbed = FlipPixmapVertically(*rows);
    if (shown.w == w && shown.h == h) {
        return grabbed;
    }
    return ResamplePixmapNearest(*grabbed, w, h);
}

void TGLDraw2DDriver::SetResolution(float width, float height) {
    SetProjection(width, height);
    if (width != _logicalWidth || height != _logicalHeight) {
        _logicalWidth = width;
        _logicalHeight = height;
        _UpdatePresentation(false);
    }
}

void TGLDraw2DDriver::ResetGLContext(const TDraw2DGraphics& graphics) {
    const TGraphicsSettings settings = graphics.GetSettings();
    _windowWidth = settings.width;
    _windowHeight = settings.height;
    _blend = 0;
    _boundTexture = 0;
    _texturing = false;
    glDisable(GL_TEXTURE_2D);
    SetProjection(settings.width, settings.height);
    glLoadIdentity();
    _logicalWidth = static_cast<float>(settings.width);
    _logicalHeight = static_cast<float>(settings.height);
    _clip = {0, 0, settings.width, settings.height};
    _presentation =
        PresentationFor(settings.width, settings.height, 0, 0, settings.width, settings.height);
    _UpdatePresentation(true);
}

void TGLDraw2DDriver::BindTexture(uint32_t name) {
    if (name != _boundTexture) {
        glBindTexture(GL_TEXTURE_2D, name);
        _boundTexture = name;
    }
}

void TGLDraw2DDriver::EnableTexture(uint32_t name) {
    BindTexture(name);
    if (!_texturing) {
        glEnable(GL_TEXTURE_2D);
        _texturing = true;
    }
}

void TGLDraw2DDriver::DisableTexture() {
    if (_texturing) {
        glDisable(GL_TEXTURE_2D);
        _texturing = false;
    }
}

void TGLDraw2DDriver::ForgetTexture(uint32_t name) {
    if (name == _boundTexture) {
        _boundTexture = 0;
    }
}

void TGLDraw2DDriver::_SendColour() const {
    glColor4ubv(_colour.data());
}

const std::shared_ptr<TGLDraw2DDriver>& GLDraw2DDriver() {
    static const auto driver = std::make_shared<TGLDraw2DDriver>();
    return driver;
}

void InstallDraw2DDriver() {
    SelectGraphicsDriver(GLDraw2DDriver(), ContextDoubleBuffer);
}
