#pragma once

// How a picture is laid out in a texture of power-of-two sides, as OpenGL
// 1.x needs them: the picture in the top-left corner, its last column and
// row repeated once beside and below it, so that linear filtering at the
// picture's edges (which never reaches further with clamped sampling and
// texture coordinates ending at the picture's size) samples only its own
// colours. The rest of the texture is transparent black.

#include "pixmap/pixmap.h"

#include <cstdint>
#include <memory>

// The smallest power of two >= size, and at least 1.
int32_t TextureSide(int32_t size);

// The texture's pixels: an RGBA pixmap of textureWidth x textureHeight laid
// out as above, or, when the picture fills the texture exactly, the picture
// itself in RGBA (converted only if it is in another format). The picture
// must fit and have pixels; it is never changed.
std::shared_ptr<TPixmap> TexturePixmap(const std::shared_ptr<TPixmap>& picture,
                                       int32_t textureWidth, int32_t textureHeight);

// The next smaller mipmap level: each side above 1 halved.
void NextMipmapSize(int32_t& width, int32_t& height);
