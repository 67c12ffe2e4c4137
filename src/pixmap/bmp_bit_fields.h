#pragma once

// The bit-field masks of a 32-bit bitmap: where in each little-endian pixel
// its red, green, blue and alpha values lie. Each value is scaled from the
// width of its mask to 8 bits, so 5-6-5 or 10-10-10 layouts read as exactly
// as 8-8-8 ones.

#include <cstdint>
#include <optional>

// One channel's place in a pixel: a single run of set bits, or none at all.
class TBmpChannel {
public:
    // Null when the mask's set bits are not one unbroken run.
    static std::optional<TBmpChannel> FromMask(uint32_t mask);

    bool Present() const { return _max != 0; }
    // The value scaled to 0..255 and rounded; `absent` when the mask is empty.
    uint8_t Decode(uint32_t pixel, uint8_t absent) const;

private:
    uint32_t _mask = 0;
    int _shift = 0;
    uint32_t _max = 0; // the largest value the run can hold; 0 for no bits
};

class TBmpBitFields {
public:
    // Null for masks that cannot describe a picture: a broken run, two masks
    // sharing bits, or no colour bits at all.
    static std::optional<TBmpBitFields> FromMasks(uint32_t red, uint32_t green, uint32_t blue,
                                                  uint32_t alpha);

    // Writes the pixel as the bytes B, G, R, A; without an alpha mask the
    // pixel is opaque.
    void DecodePixel(uint32_t pixel, uint8_t* bgra) const;

private:
    TBmpChannel _red, _green, _blue, _alpha;
};
