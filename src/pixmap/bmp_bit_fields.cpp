#include "pixmap/bmp_bit_fields.h"

#include <bit>

std::optional<TBmpChannel> TBmpChannel::FromMask(uint32_t mask) {
    TBmpChannel channel;
    if (mask == 0) {
        return channel;
    }
    channel._mask = mask;
    channel._shift = std::countr_zero(mask);
    channel._max = mask >> channel._shift;
    if ((channel._max & (channel._max + 1)) != 0) {
        return std::nullopt;
    }
    return channel;
}

uint8_t TBmpChannel::Decode(uint32_t pixel, uint8_t absent) const {
    if (!Present()) {
        return absent;
    }
    const uint64_t value = (pixel & _mask) >> _shift;
    return static_cast<uint8_t>((value * 255 + _max / 2) / _max);
}

std::optional<TBmpBitFields> TBmpBitFields::FromMasks(uint32_t red, uint32_t green, uint32_t blue,
                                                      uint32_t alpha) {
    const bool shareBits =
        (red & green) || (red & blue) || (green & blue) || ((red | green | blue) & alpha);
    if (shareBits || (red | green | blue) == 0) {
        return std::nullopt;
    }
    const auto r = TBmpChannel::FromMask(red);
    const auto g = TBmpChannel::FromMask(green);
    const auto b = TBmpChannel::FromMask(blue);
    const auto a = TBmpChannel::FromMask(alpha);
    if (!r || !g || !b || !a) {
        return std::nullopt;
    }
    TBmpBitFields fields;
    fields._red = *r;
    fields._green = *g;
    fields._blue = *b;
    fields._alpha = *a;
    return fields;
}

void TBmpBitFields::DecodePixel(uint32_t pixel, uint8_t* bgra) const {
    bgra[0] = _blue.Decode(pixel, 0);
    bgra[1] = _green.Decode(pixel, 0);
    bgra[2] = _red.Decode(pixel, 0);
    bgra[3] = _alpha.Decode(pixel, 0xFF);
}
