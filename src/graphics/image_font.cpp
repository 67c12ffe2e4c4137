#include "graphics/image_font.h"

#include "graphics/default_font_bitmap.h"
#include "graphics/image.h"

void TImageGlyph::GetRect(int32_t& x, int32_t& y, int32_t& w, int32_t& h) const {
    x = _x;
    y = _y;
    w = _w;
    h = _h;
}

std::shared_ptr<TImageFont> TImageFont::CreateDefault() {
    constexpr int32_t SheetWidth = DefaultFontGlyphCount * DefaultFontGlyphWidth;
    const auto& bitmap = DefaultFontBitmap();
    auto sheet = CreatePixmap(SheetWidth, DefaultFontGlyphHeight, FormatRGBA8888);
    for (int32_t row = 0; row < DefaultFontGlyphHeight; ++row) {
        for (int32_t slot = 0; slot < DefaultFontGlyphCount; ++slot) {
            const uint8_t bits = bitmap[static_cast<size_t>(row * DefaultFontGlyphCount + slot)];
            for (int32_t bit = 0; bit < DefaultFontGlyphWidth; ++bit) {
                const bool lit = (bits >> bit & 1) != 0;
                sheet->WritePixel(slot * DefaultFontGlyphWidth + bit, row,
                                  lit ? 0xFFFFFFFFu : 0x00000000u);
            }
        }
    }

    auto font = std::make_shared<TImageFont>();
    for (int32_t slot = 0; slot < DefaultFontGlyphCount; ++slot) {
        const auto cell = sheet->Window(slot * DefaultFontGlyphWidth, 0, DefaultFontGlyphWidth,
                                        DefaultFontGlyphHeight);
        // Flags 0: nearest filtering, no key colour, handle at the top-left.
        auto image = TImage::Create(DefaultFontGlyphWidth, DefaultFontGlyphHeight, 1, 0, 0, 0, 0);
        image->SetPixmap(0, cell->Copy());
        font->_glyphs.push_back(std::make_shared<TImageGlyph>(
            std::move(image), static_cast<float>(DefaultFontGlyphWidth), 0, 0,
            DefaultFontGlyphWidth, DefaultFontGlyphHeight));
    }
    return font;
}

int32_t TImageFont::CharToGlyph(int32_t character) const {
    return character >= DefaultFontFirstCode &&
                   character < DefaultFontFirstCode + DefaultFontGlyphCount
               ? character - DefaultFontFirstCode
               : -1;
}

std::shared_ptr<TGlyph> TImageFont::LoadGlyph(int32_t index) {
    if (index < 0 || index >= CountGlyphs()) {
        return nullptr;
    }
    return _glyphs[static_cast<size_t>(index)];
}

void TImageFont::Draw(const Text& text, float x, float y, float ix, float iy, float jx, float jy) {
    for (const char16_t character : text) {
        const int32_t index = CharToGlyph(character);
        if (index < 0) {
            continue;
        }
        const auto& glyph = _glyphs[static_cast<size_t>(index)];
        if (const auto image = glyph->Pixels()) {
            if (const auto frame = image->Frame(0)) {
                const auto w = static_cast<float>(image->width);
                const auto h = static_cast<float>(image->height);
                int32_t glyphX = 0;
                int32_t glyphY = 0;
                int32_t glyphWidth = 0;
                int32_t glyphHeight = 0;
                glyph->GetRect(glyphX, glyphY, glyphWidth, glyphHeight);
                const auto gx = static_cast<float>(glyphX);
                const auto gy = static_cast<float>(glyphY);
                frame->Draw(0, 0, w, h, x + gx * ix + gy * iy, y + gx * jx + gy * jy, 0, 0, w, h);
            }
        }
        x += glyph->Advance() * ix;
        y += glyph->Advance() * jx;
    }
}

const std::shared_ptr<TImageFont>& DefaultImageFont() {
    static const auto font = TImageFont::CreateDefault();
    return font;
}
