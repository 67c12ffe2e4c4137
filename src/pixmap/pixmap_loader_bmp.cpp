#include "pixmap/pixmap_loader_bmp.h"

#include "io/stream_open.h"
#include "pixmap/picture_limits.h"

#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr int32_t InfoHeaderSize = 40;
// Compression codes whose pixel data lies uncompressed in the file; the
// bit-field masks of the second, when present, precede the data offset.
constexpr int32_t CompressionNone = 0;
constexpr int32_t CompressionBitFields = 3;

struct TBmpHeader {
    int32_t dataOffset;
    int32_t headerSize;
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t compression;
    int32_t coloursUsed;
};

TBmpHeader ReadHeader(TStream& stream) {
    TBmpHeader header{};
    stream.SkipBytes(8); // file size, reserved
    header.dataOffset = stream.ReadInt();
    header.headerSize = stream.ReadInt();
    header.width = stream.ReadInt();
    header.height = stream.ReadInt();
    stream.ReadShort(); // planes
    header.bitsPerPixel = stream.ReadShort();
    header.compression = stream.ReadInt();
    stream.SkipBytes(12); // image size, resolutions
    header.coloursUsed = stream.ReadInt();
    stream.ReadInt(); // important colours
    return header;
}

// Bytes of one file row: padded to a multiple of 4.
int64_t FileRowBytes(int32_t width, int32_t bitsPerPixel) {
    return (int64_t{width} * bitsPerPixel + 31) / 32 * 4;
}

// Blue, green, red, unused; entries the file does not give stay black.
using TPalette = std::vector<std::array<uint8_t, 4>>;

void DecodeRow(const uint8_t* row, int32_t bitsPerPixel, const TPalette& palette, uint8_t* out,
               int32_t width) {
    switch (bitsPerPixel) {
    case 24:
        std::memcpy(out, row, static_cast<size_t>(width) * 3);
        return;
    case 32:
        std::memcpy(out, row, static_cast<size_t>(width) * 4);
        return;
    default:
        break;
    }
    const int32_t pixelsPerByte = 8 / bitsPerPixel;
    const int32_t mask = (1 << bitsPerPixel) - 1;
    for (int32_t x = 0; x < width; ++x) {
        // The leftmost pixel is in the most significant bits.
        const int32_t shift = (pixelsPerByte - 1 - x % pixelsPerByte) * bitsPerPixel;
        const int32_t index = (row[x / pixelsPerByte] >> shift) & mask;
        std::memcpy(out + x * 3, palette[index].data(), 3);
    }
}

// Whether the rest of the stream holds `bytes` more bytes. A stream that
// cannot tell is trusted: its reads raise the stream's exception when the
// data runs out.
bool StreamHolds(TStream& stream, int64_t bytes) {
    const int64_t position = stream.Pos();
    return position < 0 || bytes <= stream.Size() - position;
}

} // namespace

std::shared_ptr<TPixmap> TPixmapLoaderBMP::LoadPixmap(const std::shared_ptr<TStream>& source) {
    const auto stream = LittleEndianView(source);
    const int64_t start = stream->Pos();
    std::array<uint8_t, 2> signature;
    stream->ReadBytes(signature.data(), 2);
    if (signature[0] != 'B' || signature[1] != 'M') {
        return nullptr;
    }
    const TBmpHeader header = ReadHeader(*stream);
    const int32_t bits = header.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return nullptr;
    }
    if (header.compression != CompressionNone && header.compression != CompressionBitFields) {
        return nullptr; // run-length or embedded data would be read as pixels
    }
    // Only bottom-up pictures are read; an absurd size is refused before
    // anything is allocated.
    if (!PictureSizeAllowed(header.width, header.height)) {
        return nullptr;
    }
    // Later header versions are longer; the palette follows the header.
    if (header.headerSize > InfoHeaderSize) {
        if (!StreamHolds(*stream, header.headerSize - InfoHeaderSize)) {
            return nullptr;
        }
        stream->SkipBytes(header.headerSize - InfoHeaderSize);
    }

    TPalette palette;
    if (bits <= 8) {
        palette.assign(size_t{1} << bits, {0, 0, 0, 0});
        // A 1-bit file always stores both entries; 0 colours used means all.
        const int32_t entries = bits == 1                 ? 2
                                : header.coloursUsed == 0 ? 1 << bits
                                                          : header.coloursUsed;
        if (!StreamHolds(*stream, int64_t{entries} * 4)) {
            return nullptr;
        }
        for (int32_t i = 0; i < entries; ++i) {
            std::array<uint8_t, 4> entry;
            stream->ReadBytes(entry.data(), 4);
            if (static_cast<size_t>(i) < palette.size()) {
                palette[i] = entry;
            }
        }
    }

    // The pixels start at the data offset when that lies ahead (bit-field
    // masks or a gap before them), and right here otherwise.
    const int64_t position = stream->Pos();
    const int64_t dataStart = start + header.dataOffset;
    if (start >= 0 && position >= 0 && dataStart > position) {
        if (!StreamHolds(*stream, dataStart - position)) {
            return nullptr;
        }
        stream->SkipBytes(static_cast<int32_t>(dataStart - position));
    }

    const int64_t rowBytes = FileRowBytes(header.width, bits);
    if (!StreamHolds(*stream, rowBytes * header.height)) {
        return nullptr; // refused before the pixmap is allocated
    }
    auto pixmap =
        TPixmap::Create(header.width, header.height, bits == 32 ? FormatBGRA8888 : FormatBGR888, 4);
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    // The first row in the file is the bottom of the picture.
    for (int32_t y = header.height - 1; y >= 0; --y) {
        stream->ReadBytes(row.data(), static_cast<int32_t>(rowBytes));
        DecodeRow(row.data(), bits, palette, pixmap->PixelPtr(0, y), header.width);
    }
    return pixmap;
}
