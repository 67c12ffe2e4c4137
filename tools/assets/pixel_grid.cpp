#include "pixel_grid.h"

#include "pixmap/png_writer.h"
#include "util/runtime_error.h"

namespace {

uint32_t Channel(uint32_t argb, int shift) {
    return (argb >> shift) & 0xFFu;
}

} // namespace

uint32_t TPalette::Colour(char key) const {
    for (const auto& [entryKey, argb] : _entries) {
        if (entryKey == key) {
            return argb;
        }
    }
    RaiseRuntimeError(u"palette has no colour for '" + Text(1, static_cast<char16_t>(key)) + u"'");
}

std::shared_ptr<TPixmap> NewCanvas(int32_t width, int32_t height, uint32_t fill) {
    auto canvas = CreatePixmap(width, height, FormatRGBA8888);
    canvas->ClearPixels(fill);
    return canvas;
}

void PutPixel(TPixmap& canvas, int32_t x, int32_t y, uint32_t argb) {
    if (x >= 0 && y >= 0 && x < canvas.width && y < canvas.height) {
        canvas.WritePixel(x, y, argb);
    }
}

void FillBox(TPixmap& canvas, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t argb) {
    for (int32_t row = y; row < y + height; ++row) {
        for (int32_t column = x; column < x + width; ++column) {
            PutPixel(canvas, column, row, argb);
        }
    }
}

void DrawGrid(TPixmap& canvas, int32_t x, int32_t y, const TGrid& grid, const TPalette& palette,
              int32_t scale) {
    for (size_t row = 0; row < grid.size(); ++row) {
        for (size_t column = 0; column < grid[row].size(); ++column) {
            const char key = grid[row][column];
            if (key == '.') {
                continue;
            }
            FillBox(canvas, x + static_cast<int32_t>(column) * scale,
                    y + static_cast<int32_t>(row) * scale, scale, scale, palette.Colour(key));
        }
    }
}

std::shared_ptr<TPixmap> Enlarge(const TPixmap& picture, int32_t factor) {
    auto large = NewCanvas(picture.width * factor, picture.height * factor);
    for (int32_t y = 0; y < large->height; ++y) {
        for (int32_t x = 0; x < large->width; ++x) {
            large->WritePixel(x, y, picture.ReadPixel(x / factor, y / factor));
        }
    }
    return large;
}

void SaveCanvas(const TPixmap& canvas, const Text& path) {
    if (!SavePixmapPNG(canvas, path, 9)) {
        RaiseRuntimeError(u"could not write " + path);
    }
}

void BlendPixel(TPixmap& canvas, int32_t x, int32_t y, uint32_t argb) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) {
        return;
    }
    const uint32_t below = canvas.ReadPixel(x, y);
    const uint32_t alpha = Channel(argb, 24);
    auto mix = [&](int shift) {
        return (Channel(argb, shift) * alpha + Channel(below, shift) * (255 - alpha) + 127) / 255;
    };
    const uint32_t outAlpha = alpha + Channel(below, 24) * (255 - alpha) / 255;
    canvas.WritePixel(x, y, outAlpha << 24 | mix(16) << 16 | mix(8) << 8 | mix(0));
}
