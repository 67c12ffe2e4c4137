#pragma once

// The application icon for the desktop's menus: the open sewer that every
// run drives to, exactly as the game draws it, enlarged by whole numbers so
// that every picture pixel stays a sharp square at every size.

#include "pixmap/pixmap.h"

#include <array>
#include <cstdint>
#include <memory>

// The sizes of the icon theme's fixed-size folders; each is a whole multiple
// of the 16 x 16 sewer.
inline constexpr std::array<int32_t, 6> IconSizes = {16, 32, 48, 64, 128, 256};

// The icon `size` pixels square. A size that is not a multiple of the
// sewer's 16 pixels raises a runtime error.
std::shared_ptr<TPixmap> PaintIcon(int32_t size);
