#include "pixmap/pixmap_loader_png.h"

#include "pixmap/libpng_glue.h"
#include "pixmap/picture_limits.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int ReadTransforms = PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_EXPAND;
constexpr int32_t SignatureBytes = 8;
// Length, type, width and height: the start of the IHDR chunk, which every
// PNG file has right after the signature.
constexpr size_t HeaderPeekBytes = 16;
// Bound on the memory one ancillary chunk (text, colour profile) may take
// once decompressed.
constexpr png_alloc_size_t ChunkMemoryLimit = 8 * 1024 * 1024;
// Bound on any single block libpng asks for. Nothing a picture within the
// limits needs comes near it (a row of 8192 16-bit RGBA pixels is 64 KB),
// but libpng allocates the length a text chunk claims, up to 2 GB, before it
// reads the chunk, whatever the chunk limit above says.
constexpr png_alloc_size_t MaxBlockSize = 2 * ChunkMemoryLimit;

// libpng treats a null result as running out of memory, and gives up on the
// chunk or the picture.
png_voidp BoundedMalloc(png_structp, png_alloc_size_t size) {
    return size <= MaxBlockSize ? std::malloc(size) : nullptr;
}

void PlainFree(png_structp, png_voidp block) {
    std::free(block);
}

// The stream libpng reads from, with the bytes read ahead to check the
// picture size handed over first.
struct TPngSource {
    TPngStreamLink link;
    std::array<uint8_t, HeaderPeekBytes> peeked{};
    size_t peekedUsed = 0;
};

uint32_t BigEndian32(const uint8_t* bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// Fills `data` exactly; false, with the exception kept, when the stream fails.
bool ReadExactly(TPngSource& source, uint8_t* data, size_t length) noexcept {
    const size_t fromPeek = std::min(length, source.peeked.size() - source.peekedUsed);
    std::memcpy(data, source.peeked.data() + source.peekedUsed, fromPeek);
    source.peekedUsed += fromPeek;
    data += fromPeek;
    length -= fromPeek;
    try {
        while (length > 0) {
            const size_t n = std::min<size_t>(length, std::numeric_limits<int32_t>::max());
            source.link.stream->ReadBytes(data, static_cast<int32_t>(n));
            data += n;
            length -= n;
        }
        return true;
    } catch (...) {
        source.link.failure = std::current_exception();
        return false;
    }
}

void ReadCallback(png_structp png, png_bytep data, size_t length) {
    if (!ReadExactly(*static_cast<TPngSource*>(png_get_io_ptr(png)), data, length)) {
        png_error(png, "stream read failed");
    }
}

// The libpng read structures, destroyed together.
class TPngReadStructs {
public:
    TPngReadStructs()
        : png(png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, PngErrorToLongJump,
                                       PngIgnoreWarning, nullptr, BoundedMalloc, PlainFree)),
          info(png ? png_create_info_struct(png) : nullptr) {}
    ~TPngReadStructs() { png_destroy_read_struct(&png, &info, nullptr); }
    TPngReadStructs(const TPngReadStructs&) = delete;
    TPngReadStructs& operator=(const TPngReadStructs&) = delete;

    png_structp png;
    png_infop info;
};

// The only frame libpng's longjmp returns into; it owns nothing.
bool DecodePng(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_png(png, info, ReadTransforms, nullptr);
    return true;
}

int32_t PixmapFormatFor(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
        return FormatI8;
    case PNG_COLOR_TYPE_RGB:
        return FormatRGB888;
    case PNG_COLOR_TYPE_RGB_ALPHA:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return FormatRGBA8888;
    default:
        return 0;
    }
}

void CopyRow(const uint8_t* row, int colourType, uint8_t* out, int32_t width) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        for (int32_t x = 0; x < width; ++x, row += 2, out += 4) {
            out[0] = out[1] = out[2] = row[0];
            out[3] = row[1];
        }
        break;
    default:
        std::memcpy(out, row,
                    static_cast<size_t>(width) * BytesPerPixel(PixmapFormatFor(colourType)));
        break;
    }
}

} // namespace

std::shared_ptr<TPixmap> TPixmapLoaderPNG::LoadPixmap(const std::shared_ptr<TStream>& stream) {
    std::array<uint8_t, SignatureBytes> signature;
    stream->ReadBytes(signature.data(), SignatureBytes);
    if (png_sig_cmp(signature.data(), 0, SignatureBytes) != 0) {
        return nullptr;
    }
    // libpng would allocate every row of a claimed size before it reads a
    // single pixel, so a header claiming a huge picture is refused here.
    TPngSource source;
    source.link.stream = stream.get();
    stream->ReadBytes(source.peeked.data(), HeaderPeekBytes);
    if (std::memcmp(source.peeked.data() + 4, "IHDR", 4) == 0 &&
        !PictureSizeAllowed(BigEndian32(source.peeked.data() + 8),
                            BigEndian32(source.peeked.data() + 12))) {
        return nullptr;
    }

    TPngReadStructs structs;
    if (!structs.png || !structs.info) {
        return nullptr;
    }
    png_set_user_limits(structs.png, MaxPictureSide, MaxPictureSide);
    png_set_chunk_malloc_max(structs.png, ChunkMemoryLimit);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Lets mutated files past the checksums, so that a fuzzer reaches the
    // decoding behind them instead of stopping at the first changed byte.
    png_set_crc_action(structs.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(structs.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_set_sig_bytes(structs.png, SignatureBytes);
    png_set_read_fn(structs.png, &source, ReadCallback);
    const bool decoded = DecodePng(structs.png, structs.info);
    if (source.link.failure) {
        // Most often the stream's read exception on a truncated file, which
        // the loader chain takes as a refusal.
        std::rethrow_exception(source.link.failure);
    }
    if (!decoded) {
        return nullptr; // corrupt data
    }

    const auto width = static_cast<int32_t>(png_get_image_width(structs.png, structs.info));
    const auto height = static_cast<int32_t>(png_get_image_height(structs.png, structs.info));
    const int colourType = png_get_color_type(structs.png, structs.info);
    const int32_t format = PixmapFormatFor(colourType);
    if (png_get_bit_depth(structs.png, structs.info) != 8 || format == 0) {
        return nullptr;
    }
    const png_bytepp rows = png_get_rows(structs.png, structs.info);
    auto pixmap = TPixmap::Create(width, height, format, 4);
    for (int32_t y = 0; y < height; ++y) {
        CopyRow(rows[y], colourType, pixmap->PixelPtr(0, y), width);
    }
    return pixmap;
}
