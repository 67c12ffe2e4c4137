#pragma once

// A drawable picture of fixed size with one or more frames (an animation
// strip is one image with several frames) and a handle, the point of the
// picture that lands on the drawing position. Each frame keeps its pixmap
// for the image's whole life (the game reads collision colours from them)
// and gets its driver frame, a texture, on its first draw, and again after
// the graphics have been reopened.

#include "graphics/image_frame.h"
#include "pixmap/pixmap.h"

#include <cstdint>
#include <memory>
#include <vector>

// Image flags.
// Pixels of the mask colour become transparent (pixmaps without alpha only).
inline constexpr int32_t ImageKeyColour = 1;
// Linear texture filtering instead of nearest.
inline constexpr int32_t ImageSmooth = 2;
// Mipmap levels are built and used.
inline constexpr int32_t ImageMipmaps = 4;

class TImage {
public:
    // `frameCount` frames of width x height without pixmaps yet.
    static std::shared_ptr<TImage> Create(int32_t width, int32_t height, int32_t frameCount,
                                          int32_t flags, int32_t maskR, int32_t maskG,
                                          int32_t maskB);

    virtual ~TImage() = default;

    // The frame's driver frame, made by the current driver if there is none
    // for the current context generation yet. Null for an index outside the
    // frames, when no 2D driver is current or when the driver made none.
    virtual std::shared_ptr<TImageFrame> Frame(int32_t index);
    // The frame's pixmap, a new cleared RGBA one if it has none. Locking for
    // writing drops the driver frame, so the next draw uploads the pixels
    // again. Null for an index outside the frames.
    virtual std::shared_ptr<TPixmap> Lock(int32_t index, bool read, bool write);
    // Stores the frame's pixmap (a key-coloured copy with ImageKeyColour and
    // a pixmap without alpha, else this very pixmap) and drops its driver
    // frame. An index outside the frames is ignored.
    virtual void SetPixmap(int32_t index, std::shared_ptr<TPixmap> pixmap);

    int32_t CountFrames() const { return static_cast<int32_t>(pixmaps.size()); }

    int32_t width = 0;
    int32_t height = 0;
    int32_t flags = 0;
    int32_t mask_r = 0;
    int32_t mask_g = 0;
    int32_t mask_b = 0;
    // In pixels from the frame's top-left corner.
    float handle_x = 0.0f;
    float handle_y = 0.0f;
    std::vector<std::shared_ptr<TPixmap>> pixmaps;
    std::vector<std::shared_ptr<TImageFrame>> frames;
    // Per frame, the context generation its driver frame was made in; 0 for none.
    std::vector<int32_t> seqs;

protected:
    bool _HasFrame(int32_t index) const { return index >= 0 && index < CountFrames(); }
};
