#include "graphics/image_loading.h"

#include "graphics/image_drawing.h"
#include "pixmap/pixmap_loader.h"

namespace {

struct TImageSettings {
    int32_t autoImageFlags = ImageKeyColour | ImageSmooth;
    bool autoCentre = false;
    int32_t maskR = 0;
    int32_t maskG = 0;
    int32_t maskB = 0;
};

TImageSettings& Settings() {
    static TImageSettings settings;
    return settings;
}

int32_t ResolveFlags(int32_t flags) {
    return flags == -1 ? Settings().autoImageFlags : flags;
}

std::shared_ptr<TImage> NewImage(int32_t width, int32_t height, int32_t frameCount, int32_t flags) {
    const auto& settings = Settings();
    return TImage::Create(width, height, frameCount, flags, settings.maskR, settings.maskG,
                          settings.maskB);
}

std::shared_ptr<TImage> Finish(std::shared_ptr<TImage> image) {
    if (image && Settings().autoCentre) {
        CentreImageOffset(*image);
    }
    return image;
}

} // namespace

std::shared_ptr<TImage> LoadImageFile(const TUrl& source, int32_t flags) {
    return LoadImageFile(LoadPixmapFrom(source), flags);
}

std::shared_ptr<TImage> LoadImageFile(std::shared_ptr<TPixmap> source, int32_t flags) {
    if (!source) {
        return nullptr;
    }
    auto image = NewImage(source->width, source->height, 1, ResolveFlags(flags));
    image->SetPixmap(0, std::move(source));
    return Finish(std::move(image));
}

std::shared_ptr<TImage> LoadImageStrip(const TUrl& source, int32_t cellWidth, int32_t cellHeight,
                                       int32_t first, int32_t count, int32_t flags) {
    return LoadImageStrip(LoadPixmapFrom(source), cellWidth, cellHeight, first, count, flags);
}

std::shared_ptr<TImage> LoadImageStrip(std::shared_ptr<TPixmap> source, int32_t cellWidth,
                                       int32_t cellHeight, int32_t first, int32_t count,
                                       int32_t flags) {
    // A cell size of 0 would divide by zero below; negative cells do not exist.
    if (!source || cellWidth <= 0 || cellHeight <= 0 || first < 0 || count <= 0) {
        return nullptr;
    }
    const int32_t columns = source->width / cellWidth;
    const int32_t rows = source->height / cellHeight;
    if (int64_t{columns} * rows < int64_t{first} + count) {
        return nullptr;
    }
    auto image = NewImage(cellWidth, cellHeight, count, ResolveFlags(flags));
    for (int32_t cell = first; cell < first + count; ++cell) {
        const auto window = source->Window((cell % columns) * cellWidth,
                                           (cell / columns) * cellHeight, cellWidth, cellHeight);
        image->SetPixmap(cell - first, window->Copy());
    }
    return Finish(std::move(image));
}

void SetAutoCentre(bool on) {
    Settings().autoCentre = on;
}

bool AutoCentre() {
    return Settings().autoCentre;
}

void SetAutoImageFlags(int32_t flags) {
    if (flags != -1) {
        Settings().autoImageFlags = flags;
    }
}

int32_t AutoImageFlags() {
    return Settings().autoImageFlags;
}

void SetMaskColour(int32_t r, int32_t g, int32_t b) {
    auto& settings = Settings();
    settings.maskR = r;
    settings.maskG = g;
    settings.maskB = b;
}
