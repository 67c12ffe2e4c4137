#include "graphics/texture_layout.h"

int32_t TextureSide(int32_t size) {
    int32_t side = 1;
    while (side < size && side < (1 << 30)) {
        side *= 2;
    }
    return side;
}

std::shared_ptr<TPixmap> TexturePixmap(const std::shared_ptr<TPixmap>& picture,
                                       int32_t textureWidth, int32_t textureHeight) {
    const int32_t w = picture->width;
    const int32_t h = picture->height;
    if (w == textureWidth && h == textureHeight) {
        return picture->format == FormatRGBA8888 ? picture : picture->Convert(FormatRGBA8888);
    }
    auto texture = CreatePixmap(textureWidth, textureHeight, FormatRGBA8888);
    texture->ClearPixels(0);
    texture->Paste(*picture, 0, 0);
    if (w < textureWidth) {
        texture->Paste(*picture->Window(w - 1, 0, 1, h), w, 0);
    }
    if (h < textureHeight) {
        texture->Paste(*picture->Window(0, h - 1, w, 1), 0, h);
        if (w < textureWidth) {
            texture->WritePixel(w, h, picture->ReadPixel(w - 1, h - 1));
        }
    }
    return texture;
}

void NextMipmapSize(int32_t& width, int32_t& height) {
    if (width > 1) {
        width /= 2;
    }
    if (height > 1) {
        height /= 2;
    }
}
