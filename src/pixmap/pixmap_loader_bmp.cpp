#include "pixmap/pixmap_loader_bmp.h"

#include "io/little_endian_fields.h"
#include "pixmap/bmp_bit_fields.h"
#include "pixmap/picture_limits.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// The fields read below fill the first 40 bytes of every header version
// from this one on; shorter, older headers lay them out differently.
constexpr int32_t InfoHeaderSize = 40;
// Longer headers that hold the bit-field masks themselves: red, green and
// blue from 52 bytes on, alpha as well from 56 bytes on (which includes the
// 108- and 124-byte versions). After a 40-byte header the three colour
// masks follow it. Other lengths belong to the OS/2 2.x family, whose
// compression 3 is Huffman coding rather than masks.
constexpr int32_t ColourMasksHeaderSize = 52;
constexpr int32_t AlphaMaskHeaderSize = 56;
constexpr int32_t FirstLongHeaderSize = 108;
// Compression codes whose pixel data lies uncompressed in the file.
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
    header.dataOffset = ReadLittleEndianInt(stream);
    header.headerSize = ReadLittleEndianInt(stream);
    header.width = ReadLittleEndianInt(stream);
    header.height = ReadLittleEndianInt(stream);
    ReadLittleEndianShort(stream); // planes
    header.bitsPerPixel = ReadLittleEndianShort(stream);
    header.compression = ReadLittleEndianInt(stream);
    stream.SkipBytes(12); // image size, resolutions
    header.coloursUsed = ReadLittleEndianInt(stream);
    ReadLittleEndianInt(stream); // important colours
    return header;
}

// How many masks the header's version keeps inside the header (after a
// 40-byte one, three follow it); -1 when its compression 3 is not masks.
int32_t MasksInHeader(int32_t headerSize) {
    if (headerSize == InfoHeaderSize) {
        return 0;
    }
    if (headerSize == ColourMasksHeaderSize) {
        return 3;
    }
    if (headerSize == AlphaMaskHeaderSize || headerSize >= FirstLongHeaderSize) {
        return 4;
    }
    return -1;
}

// Reads the masks that stand at the stream's position; null for masks that
// do not describe a picture.
std::optional<TBmpBitFields> ReadBitFields(TStream& stream, int32_t count) {
    std::array<uint32_t, 4> masks{};
    for (int32_t i = 0; i < count; ++i) {
        masks[i] = static_cast<uint32_t>(ReadLittleEndianInt(stream));
    }
    return TBmpBitFields::FromMasks(masks[0], masks[1], masks[2], masks[3]);
}

// Bytes of one file row: padded to a multiple of 4.
int64_t FileRowBytes(int32_t width, int32_t bitsPerPixel) {
    return (int64_t{width} * bitsPerPixel + 31) / 32 * 4;
}

// Blue, green, red, unused; entries the file does not give stay black.
using TPalette = std::vector<std::array<uint8_t, 4>>;

void DecodeRow(const uint8_t* row, int32_t bitsPerPixel, const TPalette& palette,
               const std::optional<TBmpBitFields>& bitFields, uint8_t* out, int32_t width) {
    if (bitFields) {
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* in = row + x * 4;
            const uint32_t pixel = in[0] | in[1] << 8 | in[2] << 16 | uint32_t{in[3]} << 24;
            bitFields->DecodePixel(pixel, out + x * 4);
        }
        return;
    }
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

// The fourth byte of a 32-bit pixel without masks is reserved, and nearly
// every writer leaves it 0: a picture whose fourth bytes are all 0 carries
// no alpha and is opaque. Any other value means the bytes are alpha.
void MakeOpaqueIfAlphaUnused(TPixmap& pixmap) {
    for (int32_t y = 0; y < pixmap.height; ++y) {
        const uint8_t* row = pixmap.PixelPtr(0, y);
        for (int32_t x = 0; x < pixmap.width; ++x) {
            if (row[x * 4 + 3] != 0) {
                return;
            }
        }
    }
    for (int32_t y = 0; y < pixmap.height; ++y) {
        uint8_t* row = pixmap.PixelPtr(0, y);
        for (int32_t x = 0; x < pixmap.width; ++x) {
            row[x * 4 + 3] = 0xFF;
        }
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

std::shared_ptr<TPixmap> TPixmapLoaderBMP::LoadPixmap(const std::shared_ptr<TStream>& stream) {
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
    if (header.headerSize < InfoHeaderSize) {
        return nullptr;
    }
    if (header.compression != CompressionNone && header.compression != CompressionBitFields) {
        return nullptr; // run-length or embedded data would be read as pixels
    }
    const int32_t masksInHeader = MasksInHeader(header.headerSize);
    const bool hasBitFields = header.compression == CompressionBitFields;
    if (hasBitFields && (bits != 32 || masksInHeader < 0)) {
        return nullptr;
    }
    // Only bottom-up pictures are read; an absurd size is refused before
    // anything is allocated.
    if (!PictureSizeAllowed(header.width, header.height)) {
        return nullptr;
    }
    // Later header versions are longer; the palette follows the header.
    const int32_t rest = header.headerSize - InfoHeaderSize;
    const int32_t maskCount = masksInHeader == 0 ? 3 : masksInHeader;
    if (!StreamHolds(*stream, std::max(rest, hasBitFields ? maskCount * 4 : 0))) {
        return nullptr;
    }
    std::optional<TBmpBitFields> bitFields;
    if (hasBitFields) {
        bitFields = ReadBitFields(*stream, maskCount);
        if (!bitFields) {
            return nullptr;
        }
    }
    const int32_t restAfterMasks = hasBitFields && masksInHeader > 0 ? rest - maskCount * 4 : rest;
    if (restAfterMasks > 0) {
        stream->SkipBytes(restAfterMasks);
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
        DecodeRow(row.data(), bits, palette, bitFields, pixmap->PixelPtr(0, y), header.width);
    }
    if (bits == 32 && !bitFields) {
        MakeOpaqueIfAlphaUnused(*pixmap);
    }
    return pixmap;
}
