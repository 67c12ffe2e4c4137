#include "graphics/text_drawing.h"

#include "graphics/draw2d_graphics.h"
#include "graphics/image_font.h"
#include "util/numeric.h"

namespace {

// The current context's font, or the default font when nothing is current.
TImageFont& CurrentFont() {
    const auto& context = TDraw2DGraphics::Current();
    return context && context->image_font ? *context->image_font : *DefaultImageFont();
}

} // namespace

void DrawString(const Text& text, float x, float y) {
    const auto& context = TDraw2DGraphics::Current();
    if (!context || !context->image_font) {
        return;
    }
    const auto& g = *context;
    context->image_font->Draw(text,
                              x + g.origin_x + g.handle_x * g.tform_ix + g.handle_y * g.tform_iy,
                              y + g.origin_y + g.handle_x * g.tform_jx + g.handle_y * g.tform_jy,
                              g.tform_ix, g.tform_iy, g.tform_jx, g.tform_jy);
}

int32_t TextWidth(const Text& text) {
    TImageFont& font = CurrentFont();
    int32_t width = 0;
    for (const char16_t character : text) {
        if (const auto glyph = font.LoadGlyph(font.CharToGlyph(character))) {
            width = TruncToInt(width + glyph->Advance());
        }
    }
    return width;
}

int32_t TextHeight() {
    return CurrentFont().Height();
}
