#pragma once

// An image frame as an OpenGL texture. Texture sides are powers of two (as
// OpenGL 1.x requires), with the picture in the top-left corner and the
// texture coordinates scaled to it (texture_layout.h).

#include "graphics/image_frame.h"
#include "pixmap/pixmap.h"

#include <cstdint>
#include <memory>

class TGLImageFrame : public TImageFrame {
public:
    // Uploads the pixmap into a new texture of the current context, with the
    // image flags' filtering and mipmaps. A picture larger than the largest
    // texture the implementation takes is scaled down to fit; null for a
    // pixmap without pixels. Raises "Unable to calculate tex size" when not
    // even a 1 x 1 texture is accepted.
    static std::shared_ptr<TGLImageFrame> CreateFromPixmap(const std::shared_ptr<TPixmap>& pixmap,
                                                           int32_t flags);

    TGLImageFrame() = default;
    // The texture name is deleted later, at the next texture creation in the
    // same context: never while another context may be current.
    ~TGLImageFrame() override;
    TGLImageFrame(const TGLImageFrame&) = delete;
    TGLImageFrame& operator=(const TGLImageFrame&) = delete;

    void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx, float sy,
              float sw, float sh) override;

    // The picture's bottom-right corner in texture coordinates; its top-left
    // one is the texture's own, 0, 0.
    float u1 = 0.0f;
    float v1 = 0.0f;
    // 1 / texture width and 1 / texture height.
    float uscale = 0.0f;
    float vscale = 0.0f;
    uint32_t name = 0;
    // The context generation the texture was made in; 0 after deletion.
    int32_t seq = 0;
};
