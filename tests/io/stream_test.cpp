#include "io/memory_stream.h"
#include "io/stream_exception.h"
#include "io/stream_wrapper.h"
#include "io/xendian_stream.h"
#include "util/runtime_error.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::shared_ptr<TBankStream> BankHolding(const std::string& bytes) {
    auto bank = std::make_shared<TBank>(static_cast<int64_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), bank->Data());
    return std::make_shared<TBankStream>(bank);
}

std::string BankBytes(const TBankStream& stream) {
    const auto& bank = *stream.Bank();
    return std::string(reinterpret_cast<const char*>(bank.Data()), bank.Size());
}

} // namespace

TEST(StreamReadLine, SplitsAtLfAndNulDropsCrAndKeepsTheUnendedLastLine) {
    auto stream = BankHolding("a\r\nb");
    EXPECT_EQ(stream->ReadLine(), u"a");
    EXPECT_FALSE(stream->Eof());
    EXPECT_EQ(stream->ReadLine(), u"b");
    EXPECT_TRUE(stream->Eof());
    EXPECT_EQ(stream->ReadLine(), u"");

    auto nul = BankHolding(std::string("ab\0cd\n\nx\ry\r\n", 12));
    EXPECT_EQ(nul->ReadLine(), u"ab");
    EXPECT_EQ(nul->ReadLine(), u"cd");
    EXPECT_EQ(nul->ReadLine(), u"");
    EXPECT_EQ(nul->ReadLine(), u"xy");
    EXPECT_TRUE(nul->Eof());

    // Longer than the initial buffer, and bytes above 127 kept as code units.
    const std::string longLine(3000, '\xE9');
    EXPECT_EQ(BankHolding(longLine + "\n")->ReadLine(), Text(3000, u'\u00E9'));
}

TEST(StreamExactReads, RaiseWhenDataRunsOutWhileReadReturnsWhatThereIs) {
    auto stream = BankHolding("abc");
    EXPECT_THROW(stream->ReadInt(), TStreamReadException);

    stream->Seek(0);
    char buffer[4] = {};
    EXPECT_EQ(stream->Read(buffer, 4), 3);
    EXPECT_EQ(stream->Read(buffer, 4), 0);

    auto big = BankHolding(std::string(2500, 'x') + "yz");
    EXPECT_EQ(big->SkipBytes(2501), 2501);
    EXPECT_EQ(big->ReadByte(), 'z');
    big->Seek(0);
    EXPECT_THROW(big->SkipBytes(2503), TStreamReadException);

    auto text = BankHolding("hi\xE9");
    EXPECT_EQ(text->ReadString(3), u"hi\u00E9");
    EXPECT_THROW(text->ReadString(1), TStreamReadException);
}

TEST(StreamTypedAccess, UsesLittleEndianOrderAndZeroExtendsSmallValues) {
    auto stream = std::make_shared<TBankStream>(nullptr);
    stream->WriteShort(0x1234);
    stream->WriteInt(-2);
    stream->WriteByte(0x1FF);
    stream->WriteLong(-3);
    stream->WriteFloat(1.5f);
    stream->WriteDouble(-0.25);
    EXPECT_EQ(BankBytes(*stream).substr(0, 7), std::string("\x34\x12\xFE\xFF\xFF\xFF\xFF", 7));

    stream->Seek(0);
    EXPECT_EQ(stream->ReadShort(), 0x1234);
    EXPECT_EQ(stream->ReadInt(), -2);
    EXPECT_EQ(stream->ReadByte(), 255);
    EXPECT_EQ(stream->ReadLong(), -3);
    EXPECT_EQ(stream->ReadFloat(), 1.5f);
    EXPECT_EQ(stream->ReadDouble(), -0.25);

    EXPECT_EQ(BankHolding("\xFF\xFF")->ReadShort(), 65535);
}

TEST(StreamBase, HasNoPositionAndRefusesReadAndWrite) {
    TStream bare;
    EXPECT_EQ(bare.Pos(), -1);
    EXPECT_EQ(bare.Size(), 0);
    EXPECT_EQ(bare.Seek(5), -1);
    EXPECT_FALSE(bare.Eof());
    char byte = 0;
    try {
        bare.Read(&byte, 1);
        FAIL() << "Read did not raise";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"Stream is not readable");
    }
    try {
        bare.WriteByte(1);
        FAIL() << "Write did not raise";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"Stream is not writeable");
    }
}

TEST(StreamWrite, ShortWritesRaiseAndTextsGoOutAsLowBytes) {
    char block[4] = {};
    TRamStream ram(block, 4, true, true);
    EXPECT_NO_THROW(ram.WriteInt(7));
    EXPECT_THROW(ram.WriteByte(1), TStreamWriteException);

    TRamStream readOnly(static_cast<const void*>("abc"), 3);
    EXPECT_THROW(readOnly.WriteByte(1), TRuntimeError);
    EXPECT_EQ(readOnly.ReadLine(), u"abc");

    auto bank = std::make_shared<TBankStream>(nullptr);
    bank->WriteLine(u"\u00E9x");
    EXPECT_EQ(BankBytes(*bank), "\xE9x\r\n");
    EXPECT_EQ(bank->Seek(99), 4);
}

TEST(XEndianStream, ReversesEveryTypedValue) {
    auto plain = BankHolding("\x12\x34");
    EXPECT_EQ(plain->ReadShort(), 0x3412);
    plain->Seek(0);
    TXEndianStream swapped(plain);
    EXPECT_EQ(swapped.ReadShort(), 0x1234);

    auto bank = std::make_shared<TBankStream>(nullptr);
    TXEndianStream out(bank);
    out.WriteInt(0x01020304);
    out.WriteShort(0xABCD);
    out.WriteLong(-5);
    out.WriteFloat(2.5f);
    out.WriteDouble(1e100);
    EXPECT_EQ(BankBytes(*bank).substr(0, 6), "\x01\x02\x03\x04\xAB\xCD");

    out.Seek(0);
    EXPECT_EQ(out.ReadInt(), 0x01020304);
    EXPECT_EQ(out.ReadShort(), 0xABCD);
    EXPECT_EQ(out.ReadLong(), -5);
    EXPECT_EQ(out.ReadFloat(), 2.5f);
    EXPECT_EQ(out.ReadDouble(), 1e100);
}

TEST(StreamStream, ForwardsEverythingButCloseOnlyDetaches) {
    auto inner = BankHolding("\x12\x34line\n");
    auto view = std::make_shared<TStreamStream>(std::make_shared<TXEndianStream>(inner));
    EXPECT_EQ(view->ReadShort(), 0x1234) << "the byte order of the wrapped view is kept";
    EXPECT_EQ(view->ReadLine(), u"line");

    view->Close();
    EXPECT_TRUE(view->Eof());
    EXPECT_EQ(view->ReadLine(), u"");
    EXPECT_THROW(view->ReadByte(), TStreamReadException);
    inner->Seek(0);
    EXPECT_EQ(inner->ReadByte(), 0x12) << "the wrapped stream stays usable";
}
