#pragma once

// Uncompressed Windows bitmaps, bottom-up, with 1, 4, 8, 24 or 32 bits per
// pixel. 32-bit files give BGRA pixmaps, all others BGR. A 32-bit file keeps
// its fourth bytes as alpha unless they are all 0, when it is opaque; one
// with bit-field masks is decoded through them, its alpha mask included.
// The extra fields of longer header versions are skipped, and a data offset
// beyond the palette is followed. Sizes over the picture limits, and files too short for the
// rows they claim, are refused before anything is allocated.

#include "pixmap/pixmap_loader.h"

class TPixmapLoaderBMP : public TPixmapLoader {
public:
    std::shared_ptr<TPixmap> LoadPixmap(const std::shared_ptr<TStream>& stream) override;
};
