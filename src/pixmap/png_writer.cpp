#include "pixmap/png_writer.h"

#include "io/stream_exception.h"
#include "io/stream_open.h"
#include "pixmap/libpng_glue.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// How a pixmap format is laid out for libpng.
struct TPngLayout {
    int colourType;
    bool bgr; // stored blue first; libpng swaps while writing
};

TPngLayout LayoutFor(int32_t format) {
    switch (format) {
    case FormatI8:
        return {PNG_COLOR_TYPE_GRAY, false};
    case FormatRGB888:
        return {PNG_COLOR_TYPE_RGB, false};
    case FormatBGR888:
        return {PNG_COLOR_TYPE_RGB, true};
    case FormatBGRA8888:
        return {PNG_COLOR_TYPE_RGB_ALPHA, true};
    default:
        return {PNG_COLOR_TYPE_RGB_ALPHA, false};
    }
}

bool WriteExactly(TPngStreamLink& sink, const uint8_t* data, size_t length) noexcept {
    try {
        while (length > 0) {
            const size_t n = std::min<size_t>(length, std::numeric_limits<int32_t>::max());
            sink.stream->WriteBytes(data, static_cast<int32_t>(n));
            data += n;
            length -= n;
        }
        return true;
    } catch (...) {
        sink.failure = std::current_exception();
        return false;
    }
}

void WriteCallback(png_structp png, png_bytep data, size_t length) {
    if (!WriteExactly(*static_cast<TPngStreamLink*>(png_get_io_ptr(png)), data, length)) {
        png_error(png, "stream write failed");
    }
}

bool FlushExactly(TPngStreamLink& sink) noexcept {
    try {
        sink.stream->Flush();
        return true;
    } catch (...) {
        sink.failure = std::current_exception();
        return false;
    }
}

void FlushCallback(png_structp png) {
    if (!FlushExactly(*static_cast<TPngStreamLink*>(png_get_io_ptr(png)))) {
        png_error(png, "stream flush failed");
    }
}

// The libpng write structures, destroyed together.
class TPngWriteStructs {
public:
    TPngWriteStructs()
        : png(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngErrorToLongJump,
                                      PngIgnoreWarning)),
          info(png ? png_create_info_struct(png) : nullptr) {}
    ~TPngWriteStructs() { png_destroy_write_struct(&png, &info); }
    TPngWriteStructs(const TPngWriteStructs&) = delete;
    TPngWriteStructs& operator=(const TPngWriteStructs&) = delete;

    png_structp png;
    png_infop info;
};

// The only frame libpng's longjmp returns into; it owns nothing.
bool EncodePng(png_structp png, png_infop info, png_bytepp rows, png_uint_32 width,
               png_uint_32 height, TPngLayout layout, int level) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_IHDR(png, info, width, height, 8, layout.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, level);
    png_write_info(png, info);
    if (layout.bgr) {
        png_set_bgr(png);
    }
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool SavePixmapPNG(const TPixmap& pixmap, const TUrl& url, int32_t compression) {
    if (pixmap.width <= 0 || pixmap.height <= 0) {
        return false; // PNG has no empty pictures
    }
    // Everything but alpha-only and unknown formats maps onto a PNG layout.
    const bool storable = pixmap.format != FormatA8 && BytesPerPixel(pixmap.format) != 0;
    const auto converted = storable ? nullptr : pixmap.Convert(FormatRGBA8888);
    const TPixmap& source = converted ? *converted : pixmap;
    std::vector<png_bytep> rows(static_cast<size_t>(source.height));
    for (int32_t y = 0; y < source.height; ++y) {
        rows[y] = source.PixelPtr(0, y);
    }

    const auto stream = StreamOpenWrite(url);
    if (!stream) {
        return false;
    }
    TPngWriteStructs structs;
    if (!structs.png || !structs.info) {
        stream->Close();
        return false;
    }
    TPngStreamLink sink;
    sink.stream = stream.get();
    png_set_write_fn(structs.png, &sink, WriteCallback, FlushCallback);
    const bool written =
        EncodePng(structs.png, structs.info, rows.data(), source.width, source.height,
                  LayoutFor(source.format), std::clamp(compression, 0, 9));
    stream->Close();
    if (sink.failure) {
        try {
            std::rethrow_exception(sink.failure);
        } catch (const TStreamException&) {
            return false; // the destination took fewer bytes than written
        }
    }
    return written;
}
