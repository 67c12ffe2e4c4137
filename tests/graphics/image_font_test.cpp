// The built-in font's bitmap and how text is laid out, with a driver that
// only records.

#include "graphics/default_font_bitmap.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_font.h"
#include "graphics/text_drawing.h"
#include "recorded_window_test.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

uint8_t GlyphRow(char16_t character, int32_t row) {
    return DefaultFontBitmap()[static_cast<size_t>(row * 96 + (character - 32))];
}

class TextTest : public RecordedWindowTest {
protected:
    // The quads drawn, as "tx ty" of each glyph draw.
    std::vector<std::string> GlyphPositions() {
        std::vector<std::string> positions;
        for (const auto& call : driver->calls) {
            if (call.starts_with("Frame")) {
                std::istringstream words(call);
                std::string frame, number, draw, x0, y0, x1, y1, tx, ty;
                words >> frame >> number >> draw >> x0 >> y0 >> x1 >> y1 >> tx >> ty;
                EXPECT_EQ(x0 + " " + y0 + " " + x1 + " " + y1, "0 0 8 16");
                positions.push_back(tx + " " + ty);
            }
        }
        return positions;
    }
};

} // namespace

TEST(DefaultFontTest, TheBitmapIsLeastSignificantBitFirst) {
    ASSERT_EQ(DefaultFontBitmap().size(), 1536u);
    const uint8_t a[16] = {0x00, 0x00, 0x7C, 0xC6, 0xC6, 0xC6, 0xFE, 0xC6,
                           0xC6, 0xC6, 0xC6, 0x00, 0x00, 0x00, 0x00, 0x00};
    for (int32_t row = 0; row < 16; ++row) {
        EXPECT_EQ(GlyphRow(u'A', row), a[row]) << "row " << row;
    }
    // Every printable character but the space shows something, and all of
    // them keep the leftmost column free as the gap between letters.
    for (char16_t c = 32; c < 128; ++c) {
        uint8_t lit = 0;
        for (int32_t row = 0; row < 16; ++row) {
            lit |= GlyphRow(c, row);
        }
        EXPECT_EQ(lit != 0, c != u' ') << static_cast<int>(c);
        EXPECT_EQ(lit & 1, 0) << static_cast<int>(c);
    }
}

TEST(DefaultFontTest, GlyphsAreWhiteOnTransparent8By16Images) {
    auto& font = *DefaultImageFont();
    EXPECT_EQ(font.CountGlyphs(), 96);
    EXPECT_EQ(font.Height(), 16);
    EXPECT_EQ(font.CharToGlyph(u' '), 0);
    EXPECT_EQ(font.CharToGlyph(127), 95);
    EXPECT_EQ(font.CharToGlyph(31), -1);
    EXPECT_EQ(font.CharToGlyph(128), -1);
    EXPECT_EQ(font.CharToGlyph(u'\n'), -1);

    const auto glyph = font.LoadGlyph(font.CharToGlyph(u'A'));
    ASSERT_TRUE(glyph);
    EXPECT_EQ(glyph->Advance(), 8.0f);
    const auto image = glyph->Pixels();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->flags, 0);
    const auto& pixels = *image->pixmaps[0];
    EXPECT_EQ(pixels.width, 8);
    EXPECT_EQ(pixels.height, 16);
    for (int32_t row = 0; row < 16; ++row) {
        for (int32_t bit = 0; bit < 8; ++bit) {
            const bool lit = (GlyphRow(u'A', row) >> bit & 1) != 0;
            EXPECT_EQ(pixels.ReadPixel(bit, row), lit ? 0xFFFFFFFFu : 0u);
        }
    }
}

TEST_F(TextTest, GlyphsFollowEachOtherAlongTheTransformedPen) {
    DrawString(u"Hi", 10, 20);
    EXPECT_EQ(GlyphPositions(), (std::vector<std::string>{"10 20", "18 20"}));

    driver->calls.clear();
    SetDrawRotation(90);
    DrawString(u"Hi", 10, 20);
    EXPECT_EQ(GlyphPositions(), (std::vector<std::string>{"10 20", "10 28"}));

    driver->calls.clear();
    SetDrawRotationScale(0, 2, 2);
    DrawString(u"Hi", 10, 20);
    EXPECT_EQ(GlyphPositions(), (std::vector<std::string>{"10 20", "26 20"}));
}

TEST_F(TextTest, CharactersWithoutGlyphsAreSkippedWithoutMovingThePen) {
    DrawString(u"a\nb\t\u00e9c", 0, 0);
    EXPECT_EQ(GlyphPositions(), (std::vector<std::string>{"0 0", "8 0", "16 0"}));
    EXPECT_EQ(TextWidth(u"a\nb\t\u00e9c"), 24);
}

TEST_F(TextTest, TheOriginAndTheDrawingHandleMoveTheText) {
    SetDrawOrigin(100, 50);
    SetDrawHandle(4, 8);
    DrawString(u"A", 10, 20);
    EXPECT_EQ(GlyphPositions(), (std::vector<std::string>{"106 62"}));
}

TEST_F(TextTest, TextIsMeasuredInTheCurrentFont) {
    EXPECT_EQ(TextWidth(u"You Lose!"), 72);
    EXPECT_EQ(TextWidth(u"You escaped!"), 96);
    EXPECT_EQ(TextWidth(u""), 0);
    EXPECT_EQ(TextHeight(), 16);
}
