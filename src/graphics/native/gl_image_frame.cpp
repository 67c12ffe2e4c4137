#include "graphics/native/gl_image_frame.h"

#include "graphics/graphics_context.h"
#include "graphics/image.h"
#include "graphics/native/dead_textures.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "graphics/native/gl_paths.h"
#include "graphics/texture_layout.h"
#include "pixmap/pixmap_transform.h"
#include "util/runtime_error.h"

#include <GL/gl.h>

// OpenGL 1.2's edge clamping; Windows' own header stops at 1.1, while its
// drivers all take it.
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

#include <algorithm>
#include <array>

namespace {

void SetFilters(int32_t flags) {
    const bool smooth = (flags & ImageSmooth) != 0;
    const bool mipmaps = (flags & ImageMipmaps) != 0;
    GLint minFilter = smooth ? GL_LINEAR : GL_NEAREST;
    if (mipmaps) {
        minFilter = smooth ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, smooth ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
}

void Upload(int32_t level, const TPixmap& pixmap) {
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pixmap.pitch / BytesPerPixel(pixmap.format));
    glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, pixmap.width, pixmap.height, GL_RGBA,
                    GL_UNSIGNED_BYTE, pixmap.pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

} // namespace

std::shared_ptr<TGLImageFrame>
TGLImageFrame::CreateFromPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t flags) {
    if (!pixmap || pixmap->width <= 0 || pixmap->height <= 0) {
        return nullptr;
    }
    int32_t textureWidth = TextureSide(pixmap->width);
    int32_t textureHeight = TextureSide(pixmap->height);
    FitTextureSize(textureWidth, textureHeight);

    const int32_t w = std::min(pixmap->width, textureWidth);
    const int32_t h = std::min(pixmap->height, textureHeight);
    const auto picture =
        w < pixmap->width || h < pixmap->height ? ResizePixmap(*pixmap, w, h) : pixmap;
    auto level = TexturePixmap(picture, textureWidth, textureHeight);

    DeleteDeadTextures();
    auto frame = std::make_shared<TGLImageFrame>();
    glGenTextures(1, &frame->name);
    frame->seq = ContextGeneration();
    GLDraw2DDriver()->BindTexture(frame->name);
    SetFilters(flags);

    const bool mipmaps = (flags & ImageMipmaps) != 0;
    int32_t levelWidth = textureWidth;
    int32_t levelHeight = textureHeight;
    for (int32_t index = 0;; ++index) {
        glTexImage2D(GL_TEXTURE_2D, index, GL_RGBA8, levelWidth, levelHeight, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);
        if (!mipmaps || (levelWidth == 1 && levelHeight == 1)) {
            break;
        }
        NextMipmapSize(levelWidth, levelHeight);
    }
    Upload(0, *level);
    for (int32_t index = 1; mipmaps && (level->width > 1 || level->height > 1); ++index) {
        int32_t nextWidth = level->width;
        int32_t nextHeight = level->height;
        NextMipmapSize(nextWidth, nextHeight);
        level = ResizePixmap(*level, nextWidth, nextHeight);
        Upload(index, *level);
    }

    frame->uscale = 1.0f / static_cast<float>(textureWidth);
    frame->vscale = 1.0f / static_cast<float>(textureHeight);
    frame->u1 = static_cast<float>(w) * frame->uscale;
    frame->v1 = static_cast<float>(h) * frame->vscale;
    return frame;
}

TGLImageFrame::~TGLImageFrame() {
    if (seq != 0) {
        BuryTexture(name, seq);
        seq = 0;
    }
}

void TGLImageFrame::Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx,
                         float sy, float sw, float sh) {
    const float su0 = sx * uscale;
    const float sv0 = sy * vscale;
    const float su1 = (sx + sw) * uscale;
    const float sv1 = (sy + sh) * vscale;
    auto& driver = *GLDraw2DDriver();
    const TDrawTransform& transform = driver.Transform();
    const std::array<TDrawPoint, 4> corners{
        transform.Apply(x0, y0, tx, ty), transform.Apply(x1, y0, tx, ty),
        transform.Apply(x1, y1, tx, ty), transform.Apply(x0, y1, tx, ty)};
    if (!driver.MayShow(corners)) {
        return;
    }
    driver.EnableTexture(name);
    const std::array<std::array<float, 2>, 4> texels{
        {{su0, sv0}, {su1, sv0}, {su1, sv1}, {su0, sv1}}};
    glBegin(GL_QUADS);
    for (size_t i = 0; i < corners.size(); ++i) {
        glTexCoord2f(texels[i][0], texels[i][1]);
        glVertex2f(corners[i].x, corners[i].y);
    }
    glEnd();
}
