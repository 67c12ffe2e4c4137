#pragma once

// PNG through libpng: 16-bit samples are cut to 8 bits, palettes and small
// grey depths are expanded, transparency becomes an alpha channel. Grey gives
// an I8 pixmap, RGB an RGB888 one, and RGBA or grey with alpha an RGBA8888
// one.

#include "pixmap/pixmap_loader.h"

class TPixmapLoaderPNG : public TPixmapLoader {
public:
    std::shared_ptr<TPixmap> LoadPixmap(const std::shared_ptr<TStream>& stream) override;
};
