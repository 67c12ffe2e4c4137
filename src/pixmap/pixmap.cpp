#include "pixmap/pixmap.h"

#include "util/runtime_error.h"

#include <cstring>
#include <limits>

std::shared_ptr<TPixmap> TPixmap::Create(int32_t width, int32_t height, int32_t format,
                                         int32_t align) {
    if (width < 0 || height < 0 || align < 1) {
        RaiseRuntimeError(u"Invalid pixmap size");
    }
    const int64_t rowBytes = int64_t{width} * BytesPerPixel(format);
    const int64_t pitch = (rowBytes + align - 1) / align * align;
    const int64_t capacity = pitch * height;
    if (capacity > std::numeric_limits<int32_t>::max()) {
        RaiseRuntimeError(u"Pixmap too large");
    }
    std::shared_ptr<TPixmap> pixmap(new TPixmap());
    // Deliberately not cleared: every producer writes all the pixels it uses.
    pixmap->_memory.reset(new uint8_t[static_cast<size_t>(capacity)]);
    pixmap->pixels = pixmap->_memory.get();
    pixmap->width = width;
    pixmap->height = height;
    pixmap->pitch = static_cast<int32_t>(pitch);
    pixmap->format = format;
    pixmap->capacity = static_cast<int32_t>(capacity);
    return pixmap;
}

std::shared_ptr<TPixmap> TPixmap::CreateStatic(uint8_t* pixels, int32_t width, int32_t height,
                                               int32_t pitch, int32_t format,
                                               std::shared_ptr<const void> source) {
    std::shared_ptr<TPixmap> pixmap(new TPixmap());
    pixmap->pixels = pixels;
    pixmap->width = width;
    pixmap->height = height;
    pixmap->pitch = pitch;
    pixmap->format = format;
    pixmap->_source = std::move(source);
    return pixmap;
}

std::shared_ptr<TPixmap> TPixmap::Window(int32_t x, int32_t y, int32_t w, int32_t h) {
    return CreateStatic(PixelPtr(x, y), w, h, pitch, format, shared_from_this());
}

std::shared_ptr<TPixmap> TPixmap::Copy() const {
    auto copy = Create(width, height, format, 4);
    for (int32_t y = 0; y < height; ++y) {
        std::memcpy(copy->PixelPtr(0, y), PixelPtr(0, y), _RowBytes());
    }
    return copy;
}

std::shared_ptr<TPixmap> TPixmap::Convert(int32_t newFormat) const {
    auto converted = Create(width, height, newFormat, 4);
    for (int32_t y = 0; y < height; ++y) {
        ConvertPixels(PixelPtr(0, y), format, converted->PixelPtr(0, y), newFormat, width);
    }
    return converted;
}

void TPixmap::Paste(const TPixmap& source, int32_t x, int32_t y) {
    for (int32_t row = 0; row < source.height; ++row) {
        ConvertPixels(source.PixelPtr(0, row), source.format, PixelPtr(x, y + row), format,
                      source.width);
    }
}

uint32_t TPixmap::ReadPixel(int32_t x, int32_t y) const {
    const uint8_t* p = PixelPtr(x, y);
    switch (format) {
    case FormatA8:
        return uint32_t{p[0]} << 24 | 0x00FFFFFFu;
    case FormatI8:
        return 0xFF000000u | uint32_t{p[0]} << 16 | uint32_t{p[0]} << 8 | p[0];
    case FormatRGB888:
        return 0xFF000000u | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    case FormatBGR888:
        return 0xFF000000u | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    case FormatRGBA8888:
        return uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    case FormatBGRA8888:
        return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    default:
        return 0;
    }
}

void TPixmap::WritePixel(int32_t x, int32_t y, uint32_t argb) {
    const auto a = static_cast<uint8_t>(argb >> 24);
    const auto r = static_cast<uint8_t>(argb >> 16);
    const auto g = static_cast<uint8_t>(argb >> 8);
    const auto b = static_cast<uint8_t>(argb);
    uint8_t* p = PixelPtr(x, y);
    switch (format) {
    case FormatA8:
        p[0] = a;
        break;
    case FormatI8:
        p[0] = static_cast<uint8_t>((r + g + b) / 3);
        break;
    case FormatRGB888:
        p[0] = r;
        p[1] = g;
        p[2] = b;
        break;
    case FormatBGR888:
        p[0] = b;
        p[1] = g;
        p[2] = r;
        break;
    case FormatRGBA8888:
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = a;
        break;
    case FormatBGRA8888:
        p[0] = b;
        p[1] = g;
        p[2] = r;
        p[3] = a;
        break;
    default:
        break;
    }
}

void TPixmap::ClearPixels(uint32_t argb) {
    if (height == 0 || width == 0) {
        return;
    }
    const int32_t rowBytes = _RowBytes();
    if (argb == 0) {
        if (rowBytes == pitch) {
            std::memset(pixels, 0, static_cast<size_t>(pitch) * height);
        } else {
            for (int32_t y = 0; y < height; ++y) {
                std::memset(PixelPtr(0, y), 0, rowBytes);
            }
        }
        return;
    }
    // The first pixel gets the value; every other pixel is a copy of its bytes.
    WritePixel(0, 0, argb);
    const int32_t pixelBytes = BytesPerPixel(format);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = PixelPtr(0, y);
        for (int32_t x = (y == 0 ? 1 : 0); x < width; ++x) {
            std::memcpy(row + x * pixelBytes, pixels, pixelBytes);
        }
    }
}

std::shared_ptr<TPixmap> CreatePixmap(int32_t width, int32_t height, int32_t format,
                                      int32_t align) {
    return TPixmap::Create(width, height, format, align);
}
