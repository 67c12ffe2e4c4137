#include "io/little_endian_fields.h"
#include "io/memory_stream.h"
#include "io/stream_exception.h"
#include "io/xendian_stream.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// 0x1234, 0xFFFF, 0x12345678 and the most negative 32-bit value, in file order.
constexpr unsigned char Fields[] = {0x34, 0x12, 0xFF, 0xFF, 0x78, 0x56,
                                    0x34, 0x12, 0x00, 0x00, 0x00, 0x80};

void ExpectTheFields(TStream& stream) {
    EXPECT_EQ(ReadLittleEndianShort(stream), 0x1234);
    EXPECT_EQ(ReadLittleEndianShort(stream), 65535) << "16-bit fields are unsigned";
    EXPECT_EQ(ReadLittleEndianInt(stream), 0x12345678);
    EXPECT_EQ(ReadLittleEndianInt(stream), INT32_MIN) << "32-bit fields are signed";
}

} // namespace

TEST(LittleEndianFields, ReadTheSameWhateverTheStreamsTypedOrder) {
    TRamStream plain(Fields, sizeof Fields);
    ExpectTheFields(plain);

    TXEndianStream reversed(std::make_shared<TRamStream>(Fields, sizeof Fields));
    ExpectTheFields(reversed);
}

TEST(LittleEndianFields, AFieldCutShortRaisesTheReadException) {
    TRamStream stream(Fields, 3);
    ReadLittleEndianShort(stream);
    EXPECT_THROW(ReadLittleEndianShort(stream), TStreamReadException);
    TRamStream three(Fields, 3);
    EXPECT_THROW(ReadLittleEndianInt(three), TStreamReadException);
}
