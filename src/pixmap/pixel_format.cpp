#include "pixmap/pixel_format.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

void ToRGBA(const uint8_t* source, int32_t format, uint8_t* rgba, int32_t count) {
    for (int32_t i = 0; i < count; ++i, rgba += 4) {
        switch (format) {
        case FormatA8:
            rgba[0] = rgba[1] = rgba[2] = 255;
            rgba[3] = source[i];
            break;
        case FormatI8:
            rgba[0] = rgba[1] = rgba[2] = source[i];
            rgba[3] = 255;
            break;
        case FormatRGB888: {
            const uint8_t* p = source + i * 3;
            rgba[0] = p[0];
            rgba[1] = p[1];
            rgba[2] = p[2];
            rgba[3] = 255;
            break;
        }
        case FormatBGR888: {
            const uint8_t* p = source + i * 3;
            rgba[0] = p[2];
            rgba[1] = p[1];
            rgba[2] = p[0];
            rgba[3] = 255;
            break;
        }
        case FormatBGRA8888: {
            const uint8_t* p = source + i * 4;
            rgba[0] = p[2];
            rgba[1] = p[1];
            rgba[2] = p[0];
            rgba[3] = p[3];
            break;
        }
        case FormatRGBA8888:
            std::memcpy(rgba, source + i * 4, 4);
            break;
        default:
            std::memset(rgba, 0, 4);
            break;
        }
    }
}

void FromRGBA(const uint8_t* rgba, uint8_t* destination, int32_t format, int32_t count) {
    for (int32_t i = 0; i < count; ++i, rgba += 4) {
        switch (format) {
        case FormatA8:
            destination[i] = rgba[3];
            break;
        case FormatI8:
            destination[i] = static_cast<uint8_t>((rgba[0] + rgba[1] + rgba[2]) / 3);
            break;
        case FormatRGB888: {
            uint8_t* p = destination + i * 3;
            p[0] = rgba[0];
            p[1] = rgba[1];
            p[2] = rgba[2];
            break;
        }
        case FormatBGR888: {
            uint8_t* p = destination + i * 3;
            p[0] = rgba[2];
            p[1] = rgba[1];
            p[2] = rgba[0];
            break;
        }
        case FormatBGRA8888: {
            uint8_t* p = destination + i * 4;
            p[0] = rgba[2];
            p[1] = rgba[1];
            p[2] = rgba[0];
            p[3] = rgba[3];
            break;
        }
        case FormatRGBA8888:
            std::memcpy(destination + i * 4, rgba, 4);
            break;
        default:
            break;
        }
    }
}

} // namespace

void ConvertPixels(const uint8_t* source, int32_t sourceFormat, uint8_t* destination,
                   int32_t destinationFormat, int32_t count) {
    if (count <= 0) {
        return;
    }
    if (sourceFormat == destinationFormat) {
        std::memmove(destination, source, static_cast<size_t>(count) * BytesPerPixel(sourceFormat));
    } else if (destinationFormat == FormatRGBA8888) {
        ToRGBA(source, sourceFormat, destination, count);
    } else if (sourceFormat == FormatRGBA8888) {
        FromRGBA(source, destination, destinationFormat, count);
    } else {
        // A bounded scratch row keeps long rows off the heap.
        constexpr int32_t ChunkPixels = 256;
        std::array<uint8_t, ChunkPixels * 4> rgba;
        const int32_t sourceBytes = BytesPerPixel(sourceFormat);
        const int32_t destinationBytes = BytesPerPixel(destinationFormat);
        for (int32_t done = 0; done < count; done += ChunkPixels) {
            const int32_t n = std::min(ChunkPixels, count - done);
            ToRGBA(source + done * sourceBytes, sourceFormat, rgba.data(), n);
            FromRGBA(rgba.data(), destination + done * destinationBytes, destinationFormat, n);
        }
    }
}
