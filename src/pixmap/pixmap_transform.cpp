#include "pixmap/pixmap_transform.h"

#include "util/numeric.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A pixmap read as RGBA: the pixmap itself when it is RGBA already, otherwise
// a converted copy that lives as long as this view.
class TRGBAView {
public:
    explicit TRGBAView(const TPixmap& source)
        : _converted(source.format == FormatRGBA8888 ? nullptr : source.Convert(FormatRGBA8888)),
          _pixmap(_converted ? *_converted : source) {}

    const uint8_t* PixelPtr(int32_t x, int32_t y) const { return _pixmap.PixelPtr(x, y); }

private:
    std::shared_ptr<TPixmap> _converted;
    const TPixmap& _pixmap;
};

// Where one destination row or column samples the source: two neighbouring
// source indices and the weight of the second.
struct TSample {
    int32_t index;
    int32_t next;
    float weight;
};

std::vector<TSample> BilinearSamples(int32_t sourceSize, int32_t size) {
    std::vector<TSample> samples(static_cast<size_t>(size));
    const float scale = static_cast<float>(sourceSize) / static_cast<float>(size);
    for (int32_t i = 0; i < size; ++i) {
        const float position = (static_cast<float>(i) + 0.5f) * scale - 0.5f;
        const auto index = static_cast<int32_t>(std::floor(position));
        if (index < 0) {
            samples[i] = {0, 0, 0.0f};
        } else if (index >= sourceSize - 1) {
            samples[i] = {sourceSize - 1, sourceSize - 1, 0.0f};
        } else {
            samples[i] = {index, index + 1, position - static_cast<float>(index)};
        }
    }
    return samples;
}

} // namespace

std::shared_ptr<TPixmap> ApplyKeyColour(const TPixmap& source, int32_t r, int32_t g, int32_t b) {
    const TRGBAView rgba(source);
    auto result = TPixmap::Create(source.width, source.height, FormatRGBA8888, 4);
    const auto isKey = [&](const uint8_t* p) { return p[0] == r && p[1] == g && p[2] == b; };
    for (int32_t y = 0; y < source.height; ++y) {
        for (int32_t x = 0; x < source.width; ++x) {
            const uint8_t* in = rgba.PixelPtr(x, y);
            uint8_t* out = result->PixelPtr(x, y);
            if (!isKey(in)) {
                std::memcpy(out, in, 3);
                out[3] = 255;
                continue;
            }
            int32_t sum[3] = {0, 0, 0};
            int32_t count = 0;
            for (int32_t ny = y - 1; ny <= y + 1; ++ny) {
                for (int32_t nx = x - 1; nx <= x + 1; ++nx) {
                    if (ny < 0 || ny >= source.height || nx < 0 || nx >= source.width) {
                        continue;
                    }
                    const uint8_t* neighbour = rgba.PixelPtr(nx, ny);
                    if (isKey(neighbour)) {
                        continue; // the pixel itself is a key pixel too
                    }
                    for (int32_t c = 0; c < 3; ++c) {
                        sum[c] += neighbour[c];
                    }
                    ++count;
                }
            }
            for (int32_t c = 0; c < 3; ++c) {
                out[c] = static_cast<uint8_t>(count > 0 ? sum[c] / count : 0);
            }
            out[3] = 0;
        }
    }
    return result;
}

std::shared_ptr<TPixmap> ResizePixmap(const TPixmap& source, int32_t width, int32_t height) {
    auto result = TPixmap::Create(width, height, source.format, 4);
    if (width == 0 || height == 0) {
        return result;
    }
    if (source.width == 0 || source.height == 0) {
        result->ClearPixels(0); // nothing to sample
        return result;
    }
    const TRGBAView rgba(source);
    const auto columns = BilinearSamples(source.width, width);
    const auto rows = BilinearSamples(source.height, height);
    std::vector<uint8_t> line(static_cast<size_t>(width) * 4);
    for (int32_t y = 0; y < height; ++y) {
        const TSample& row = rows[y];
        const uint8_t* upper = rgba.PixelPtr(0, row.index);
        const uint8_t* lower = rgba.PixelPtr(0, row.next);
        for (int32_t x = 0; x < width; ++x) {
            const TSample& column = columns[x];
            for (int32_t c = 0; c < 4; ++c) {
                const float c00 = upper[column.index * 4 + c];
                const float c10 = upper[column.next * 4 + c];
                const float c01 = lower[column.index * 4 + c];
                const float c11 = lower[column.next * 4 + c];
                const float top = c00 + (c10 - c00) * column.weight;
                const float bottom = c01 + (c11 - c01) * column.weight;
                const float value = top + (bottom - top) * row.weight;
                line[x * 4 + c] = static_cast<uint8_t>(TruncToInt(value + 0.5f));
            }
        }
        ConvertPixels(line.data(), FormatRGBA8888, result->PixelPtr(0, y), result->format, width);
    }
    return result;
}

std::shared_ptr<TPixmap> FlipPixmapHorizontally(const TPixmap& source) {
    auto result = TPixmap::Create(source.width, source.height, source.format, 4);
    const int32_t pixelBytes = BytesPerPixel(source.format);
    for (int32_t y = 0; y < source.height; ++y) {
        for (int32_t x = 0; x < source.width; ++x) {
            std::memcpy(result->PixelPtr(source.width - 1 - x, y), source.PixelPtr(x, y),
                        pixelBytes);
        }
    }
    return result;
}

std::shared_ptr<TPixmap> FlipPixmapVertically(const TPixmap& source) {
    auto result = TPixmap::Create(source.width, source.height, source.format, 4);
    const int32_t rowBytes = source.width * BytesPerPixel(source.format);
    for (int32_t y = 0; y < source.height; ++y) {
        std::memcpy(result->PixelPtr(0, source.height - 1 - y), source.PixelPtr(0, y), rowBytes);
    }
    return result;
}

std::shared_ptr<TPixmap> ResamplePixmapNearest(const TPixmap& source, int32_t width,
                                               int32_t height) {
    auto result = TPixmap::Create(width, height, source.format, 4);
    if (source.width <= 0 || source.height <= 0) {
        return result;
    }
    const int32_t bytes = BytesPerPixel(source.format);
    for (int32_t y = 0; y < height; ++y) {
        const auto sourceY =
            static_cast<int32_t>((2 * int64_t{y} + 1) * source.height / (2 * int64_t{height}));
        for (int32_t x = 0; x < width; ++x) {
            const auto sourceX =
                static_cast<int32_t>((2 * int64_t{x} + 1) * source.width / (2 * int64_t{width}));
            std::memcpy(result->PixelPtr(x, y), source.PixelPtr(sourceX, sourceY), bytes);
        }
    }
    return result;
}
