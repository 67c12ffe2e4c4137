#pragma once

// A font whose glyphs are images, drawn as one textured quad each, in the
// current colour, alpha and blend mode and through the current transform.
// The only one the program makes is the built-in default font: 96 glyphs of
// 8 x 16 pixels for the character codes 32 to 127, white on transparent.

#include "graphics/font.h"
#include "graphics/image.h"
#include "util/text.h"

#include <cstdint>
#include <memory>
#include <vector>

class TImageGlyph : public TGlyph {
public:
    TImageGlyph(std::shared_ptr<TImage> image, float advance, int32_t x, int32_t y, int32_t w,
                int32_t h)
        : _image(std::move(image)), _advance(advance), _x(x), _y(y), _w(w), _h(h) {}

    std::shared_ptr<TImage> Pixels() const override { return _image; }
    float Advance() const override { return _advance; }
    void GetRect(int32_t& x, int32_t& y, int32_t& w, int32_t& h) const override;

private:
    std::shared_ptr<TImage> _image;
    float _advance;
    int32_t _x;
    int32_t _y;
    int32_t _w;
    int32_t _h;
};

class TImageFont : public TFont {
public:
    // A new font made from the built-in bitmap (default_font_bitmap.h).
    static std::shared_ptr<TImageFont> CreateDefault();

    int32_t Style() const override { return 0; }
    int32_t Height() const override { return 16; }
    int32_t CountGlyphs() const override { return static_cast<int32_t>(_glyphs.size()); }
    // Codes 32 to 127 are glyphs 0 to 95; nothing else has a glyph.
    int32_t CharToGlyph(int32_t character) const override;
    std::shared_ptr<TGlyph> LoadGlyph(int32_t index) override;

    // Draws the text with its first glyph's top-left corner at (x, y); the
    // pen moves along the transformed x axis (ix, jx). Characters without a
    // glyph are skipped and do not move the pen.
    void Draw(const Text& text, float x, float y, float ix, float iy, float jx, float jy);

private:
    std::vector<std::shared_ptr<TImageGlyph>> _glyphs;
};

// The default font, made once, on first use, and shared by every context.
const std::shared_ptr<TImageFont>& DefaultImageFont();
