#include "graphics/image_drawing.h"

#include "graphics/draw2d_graphics.h"

void SetImageOffset(TImage& image, float x, float y) {
    image.handle_x = x;
    image.handle_y = y;
}

void CentreImageOffset(TImage& image) {
    SetImageOffset(image, static_cast<float>(image.width) * 0.5f,
                   static_cast<float>(image.height) * 0.5f);
}

void DrawImageFrame(TImage& image, float x, float y, int32_t frame) {
    const auto& context = TDraw2DGraphics::Current();
    if (!context) {
        return;
    }
    if (const auto driverFrame = image.Frame(frame)) {
        const auto w = static_cast<float>(image.width);
        const auto h = static_cast<float>(image.height);
        driverFrame->Draw(-image.handle_x, -image.handle_y, w - image.handle_x, h - image.handle_y,
                          x + context->origin_x, y + context->origin_y, 0, 0, w, h);
    }
}

int32_t ImageWidth(const TImage& image) {
    return image.width;
}

int32_t ImageHeight(const TImage& image) {
    return image.height;
}
