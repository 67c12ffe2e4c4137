#include "graphics/image.h"

#include "graphics/draw2d_graphics.h"
#include "graphics/graphics_context.h"
#include "pixmap/pixmap_transform.h"

#include <algorithm>

std::shared_ptr<TImage> TImage::Create(int32_t width, int32_t height, int32_t frameCount,
                                       int32_t flags, int32_t maskR, int32_t maskG, int32_t maskB) {
    auto image = std::make_shared<TImage>();
    image->width = width;
    image->height = height;
    image->flags = flags;
    image->mask_r = maskR;
    image->mask_g = maskG;
    image->mask_b = maskB;
    const auto count = static_cast<size_t>(std::max(frameCount, 0));
    image->pixmaps.resize(count);
    image->frames.resize(count);
    image->seqs.resize(count);
    return image;
}

std::shared_ptr<TImageFrame> TImage::Frame(int32_t index) {
    if (!_HasFrame(index)) {
        return nullptr;
    }
    const auto i = static_cast<size_t>(index);
    const int32_t generation = ContextGeneration();
    if (seqs[i] == generation) {
        return frames[i];
    }
    const auto& driver = TDraw2DGraphics::CurrentDriver();
    if (!driver) {
        return nullptr;
    }
    frames[i] = driver->CreateFrameFromPixmap(Lock(index, true, false), flags);
    seqs[i] = frames[i] ? generation : 0;
    return frames[i];
}

std::shared_ptr<TPixmap> TImage::Lock(int32_t index, bool /*read*/, bool write) {
    if (!_HasFrame(index)) {
        return nullptr;
    }
    const auto i = static_cast<size_t>(index);
    if (write) {
        frames[i] = nullptr;
        seqs[i] = 0;
    }
    if (!pixmaps[i]) {
        pixmaps[i] = CreatePixmap(width, height, FormatRGBA8888);
        pixmaps[i]->ClearPixels(0);
    }
    return pixmaps[i];
}

void TImage::SetPixmap(int32_t index, std::shared_ptr<TPixmap> pixmap) {
    if (!_HasFrame(index)) {
        return;
    }
    if (pixmap && (flags & ImageKeyColour) != 0 && FormatAlphaBits(pixmap->format) == 0) {
        pixmap = ApplyKeyColour(*pixmap, mask_r, mask_g, mask_b);
    }
    const auto i = static_cast<size_t>(index);
    pixmaps[i] = std::move(pixmap);
    frames[i] = nullptr;
    seqs[i] = 0;
}
