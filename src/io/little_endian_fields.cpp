#include "io/little_endian_fields.h"

#include <array>

int32_t ReadLittleEndianShort(TStream& stream) {
    std::array<uint8_t, 2> bytes;
    stream.ReadBytes(bytes.data(), 2);
    return bytes[0] | bytes[1] << 8;
}

int32_t ReadLittleEndianInt(TStream& stream) {
    std::array<uint8_t, 4> bytes;
    stream.ReadBytes(bytes.data(), 4);
    // Assembled unsigned, so that the top byte cannot overflow a signed
    // shift; the conversion back wraps, giving the field's sign.
    const uint32_t value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24;
    return static_cast<int32_t>(value);
}
