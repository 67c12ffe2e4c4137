#pragma once

// The generated assets in the build tree, where the game finds them: the
// pictures in img/, the sounds beside them. SEWER_ASSET_DIR is that
// directory.

#include "pixmap/pixmap.h"
#include "pixmap/pixmap_loader.h"
#include "util/utf8.h"

#include <memory>
#include <string>

inline Text AssetPath(const std::string& name) {
    return Utf8ToText(std::string(SEWER_ASSET_DIR) + "/" + name);
}

inline std::shared_ptr<TPixmap> LoadPicture(const std::string& name) {
    return LoadPixmapFrom(AssetPath("img/" + name));
}

inline uint32_t Alpha(uint32_t argb) {
    return argb >> 24;
}
inline uint32_t Red(uint32_t argb) {
    return (argb >> 16) & 0xFF;
}
inline uint32_t Green(uint32_t argb) {
    return (argb >> 8) & 0xFF;
}
inline uint32_t Blue(uint32_t argb) {
    return argb & 0xFF;
}
