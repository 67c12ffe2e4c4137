#pragma once

// Fonts as the text drawing sees them: a set of glyphs, each with a picture,
// a pen advance and the picture's place relative to the pen.

#include <cstdint>
#include <memory>

class TImage;

class TGlyph {
public:
    virtual ~TGlyph() = default;

    // The glyph's picture; null for a glyph without one (a space may have none).
    virtual std::shared_ptr<TImage> Pixels() const = 0;
    // How far the pen moves after the glyph, in pixels at scale 1.
    virtual float Advance() const = 0;
    // The picture's offset from the pen position and its size.
    virtual void GetRect(int32_t& x, int32_t& y, int32_t& w, int32_t& h) const = 0;
};

class TFont {
public:
    virtual ~TFont() = default;

    virtual int32_t Style() const = 0;
    // Line height in pixels.
    virtual int32_t Height() const = 0;
    virtual int32_t CountGlyphs() const = 0;
    // The glyph index of a character, or -1 when the font has none for it.
    virtual int32_t CharToGlyph(int32_t character) const = 0;
    // Null for an index outside the font.
    virtual std::shared_ptr<TGlyph> LoadGlyph(int32_t index) = 0;
};
