#pragma once

// Pictures drawn from character grids: every character of a row names a
// colour of a palette, and '.' leaves the pixel as it is. The grids stay
// readable in the source, so a sprite can be reviewed and touched up as text.

#include "pixmap/pixmap.h"
#include "util/text.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

using TGrid = std::vector<std::string_view>;

class TPalette {
public:
    TPalette(std::initializer_list<std::pair<char, uint32_t>> entries) : _entries(entries) {}

    // The colour of a key; a key the palette lacks is a mistake in a drawing
    // and raises a runtime error naming it.
    uint32_t Colour(char key) const;

private:
    std::vector<std::pair<char, uint32_t>> _entries;
};

// A new RGBA canvas filled with one colour (transparent black by default).
std::shared_ptr<TPixmap> NewCanvas(int32_t width, int32_t height, uint32_t fill = 0);

// Writes a pixel, ignoring coordinates outside the canvas.
void PutPixel(TPixmap& canvas, int32_t x, int32_t y, uint32_t argb);
void FillBox(TPixmap& canvas, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t argb);

// Draws the grid with its top-left corner at (x, y), each character as a
// scale x scale block. Rows may differ in length.
void DrawGrid(TPixmap& canvas, int32_t x, int32_t y, const TGrid& grid, const TPalette& palette,
              int32_t scale = 1);

// A copy of the picture `factor` times as wide and high, every pixel a
// factor x factor block of its colour (no smoothing).
std::shared_ptr<TPixmap> Enlarge(const TPixmap& picture, int32_t factor);

// Writes the canvas as a PNG file; a failure raises a runtime error naming
// the file.
void SaveCanvas(const TPixmap& canvas, const Text& path);

// Blends `argb` by its alpha over an opaque pixel (for glows and shading).
void BlendPixel(TPixmap& canvas, int32_t x, int32_t y, uint32_t argb);
