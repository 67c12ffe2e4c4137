#pragma once

// A rectangle of pixels in main memory with an explicit format and row
// pitch, read and written as ARGB values (0xAARRGGBB). The game compares the
// values ReadPixel gives against fixed colours, so reading and writing are
// exact: formats without alpha read as opaque, and alpha is dropped when
// writing to them.
//
// Rows are stored top row first; pixel (x, y) starts at
// pixels + y * pitch + x * BytesPerPixel(format). Coordinates are not
// checked: PixelPtr, ReadPixel, WritePixel, Window and Paste need in-range
// arguments.

#include "pixmap/pixel_format.h"

#include <cstdint>
#include <memory>

class TPixmap : public std::enable_shared_from_this<TPixmap> {
public:
    // A new pixmap whose rows are padded to a multiple of `align` bytes; the
    // pixels are not cleared. A negative size, an alignment below 1 or more
    // memory than a 32-bit capacity can describe is a runtime error.
    static std::shared_ptr<TPixmap> Create(int32_t width, int32_t height, int32_t format,
                                           int32_t align);
    // Wraps memory the pixmap does not own; `source`, if given, is kept alive
    // as long as the pixmap.
    static std::shared_ptr<TPixmap> CreateStatic(uint8_t* pixels, int32_t width, int32_t height,
                                                 int32_t pitch, int32_t format,
                                                 std::shared_ptr<const void> source = nullptr);

    uint8_t* PixelPtr(int32_t x, int32_t y) const {
        return pixels + static_cast<intptr_t>(y) * pitch +
               static_cast<intptr_t>(x) * BytesPerPixel(format);
    }

    // A w x h pixmap over this one's memory: writing into it writes here, and
    // it keeps this pixmap alive.
    std::shared_ptr<TPixmap> Window(int32_t x, int32_t y, int32_t w, int32_t h);
    // New pixmaps (rows aligned to 4 bytes); this one is left untouched.
    std::shared_ptr<TPixmap> Copy() const;
    std::shared_ptr<TPixmap> Convert(int32_t newFormat) const;
    // Converts every row of `source` into this pixmap at (x, y). The source
    // must fit.
    void Paste(const TPixmap& source, int32_t x, int32_t y);

    // Unknown formats read as 0 and are not written.
    uint32_t ReadPixel(int32_t x, int32_t y) const;
    void WritePixel(int32_t x, int32_t y, uint32_t argb);
    // Every pixel gets the bytes WritePixel would write.
    void ClearPixels(uint32_t argb);

    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;
    int32_t format = 0;
    // Bytes owned (pitch * height), or -1 when the memory belongs to `_source`.
    int32_t capacity = -1;

private:
    TPixmap() = default;

    int32_t _RowBytes() const { return width * BytesPerPixel(format); }

    std::unique_ptr<uint8_t[]> _memory;
    std::shared_ptr<const void> _source;
};

// The module-level way to make a pixmap: TPixmap::Create.
std::shared_ptr<TPixmap> CreatePixmap(int32_t width, int32_t height, int32_t format,
                                      int32_t align = 4);
