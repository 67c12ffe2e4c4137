// Arbitrary bytes through the picture loader chain (BMP, then PNG). Whatever
// comes out must be a consistent pixmap: every pixel is converted to RGBA and
// back, which touches all of its memory and must give the same bytes for
// every format a loader produces.

#include "io/memory_stream.h"
#include "pixmap/pixmap_loader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto pixmap =
        LoadPixmapFrom(std::make_shared<TRamStream>(data, static_cast<int64_t>(size)));
    if (!pixmap) {
        return 0;
    }
    const auto roundTrip = pixmap->Convert(FormatRGBA8888)->Convert(pixmap->format);
    const size_t rowBytes = static_cast<size_t>(pixmap->width) * BytesPerPixel(pixmap->format);
    for (int32_t y = 0; y < pixmap->height; ++y) {
        if (std::memcmp(pixmap->PixelPtr(0, y), roundTrip->PixelPtr(0, y), rowBytes) != 0) {
            std::abort();
        }
    }
    return 0;
}
