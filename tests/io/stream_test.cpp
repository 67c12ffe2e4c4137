#include "io/memory_stream.h"
#include "io/stream_exception.h"
#include "io/stream_wrapper.h"
#include "io/text_stream.h"
#include "io/xendian_stream.h"
#include "util/runtime_error.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::shared_ptr<TBankStream> BankHolding(const std::string& bytes) {
    auto bank = std::make_shared<TBank>(static_cast<int64_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), bank->Data());
    return std::make_shared<TBankStream>(bank);
}

// Records which of its operations were called, to see where a wrapper sends
// each one.
class TRecordingStream : public TStream {
public:
    std::string last;

    int32_t ReadBytes(void*, int32_t count) override { return Log("ReadBytes", count); }
    int32_t WriteBytes(const void*, int32_t count) override { return Log("WriteBytes", count); }
    int32_t SkipBytes(int32_t count) override { return Log("SkipBytes", count); }
    int32_t ReadByte() override { return Log("ReadByte", 1); }
    void WriteByte(int32_t) override { Log("WriteByte"); }
    int32_t ReadShort() override { return Log("ReadShort", 2); }
    void WriteShort(int32_t) override { Log("WriteShort"); }
    int32_t ReadInt() override { return Log("ReadInt", 3); }
    void WriteInt(int32_t) override { Log("WriteInt"); }
    int64_t ReadLong() override { return Log("ReadLong", 4); }
    void WriteLong(int64_t) override { Log("WriteLong"); }
    float ReadFloat() override { return static_cast<float>(Log("ReadFloat", 5)); }
    void WriteFloat(float) override { Log("WriteFloat"); }
    double ReadDouble() override { return Log("ReadDouble", 6); }
    void WriteDouble(double) override { Log("WriteDouble"); }
    Text ReadLine() override { return Log("ReadLine"), u"line"; }
    void WriteLine(const Text&) override { Log("WriteLine"); }
    Text ReadString(int32_t) override { return Log("ReadString"), u"string"; }
    void WriteString(const Text&) override { Log("WriteString"); }

private:
    int32_t Log(const char* operation, int32_t result = 0) {
        last = operation;
        return result;
    }
};

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

// Each operation reaches the wrapped stream as itself, with its result, so
// that what the wrapped stream does to it (a byte order, a codec) holds.
TEST(StreamWrappers, ForwardEveryExactLengthTypedAndLineOperation) {
    using TMake = std::unique_ptr<TStream> (*)(std::shared_ptr<TStream>);
    const struct {
        const char* name;
        TMake make;
        bool forwardsTexts;
    } wrappers[] = {
        {"wrapper",
         [](auto s) -> std::unique_ptr<TStream> { return std::make_unique<TStreamWrapper>(s); },
         true},
        {"stream view",
         [](auto s) -> std::unique_ptr<TStream> { return std::make_unique<TStreamStream>(s); },
         true},
        {"text codec",
         [](auto s) -> std::unique_ptr<TStream> {
             return std::make_unique<TTextStream>(s, TTextStream::UTF8);
         },
         false},
    };
    const struct {
        const char* operation;
        double (*call)(TStream&);
        double result;
        bool isText;
    } operations[] = {
        {"ReadBytes",
         [](TStream& s) -> double {
             char b[7];
             return s.ReadBytes(b, 7);
         },
         7, false},
        {"WriteBytes", [](TStream& s) -> double { return s.WriteBytes("x", 1); }, 1, false},
        {"SkipBytes", [](TStream& s) -> double { return s.SkipBytes(9); }, 9, false},
        {"ReadByte", [](TStream& s) -> double { return s.ReadByte(); }, 1, false},
        {"WriteByte", [](TStream& s) { return s.WriteByte(1), 0.0; }, 0, false},
        {"ReadShort", [](TStream& s) -> double { return s.ReadShort(); }, 2, false},
        {"WriteShort", [](TStream& s) { return s.WriteShort(1), 0.0; }, 0, false},
        {"ReadInt", [](TStream& s) -> double { return s.ReadInt(); }, 3, false},
        {"WriteInt", [](TStream& s) { return s.WriteInt(1), 0.0; }, 0, false},
        {"ReadLong", [](TStream& s) -> double { return static_cast<double>(s.ReadLong()); }, 4,
         false},
        {"WriteLong", [](TStream& s) { return s.WriteLong(1), 0.0; }, 0, false},
        {"ReadFloat", [](TStream& s) -> double { return s.ReadFloat(); }, 5, false},
        {"WriteFloat", [](TStream& s) { return s.WriteFloat(1), 0.0; }, 0, false},
        {"ReadDouble", [](TStream& s) { return s.ReadDouble(); }, 6, false},
        {"WriteDouble", [](TStream& s) { return s.WriteDouble(1), 0.0; }, 0, false},
        {"ReadLine", [](TStream& s) { return s.ReadLine() == u"line" ? 1.0 : -1.0; }, 1, true},
        {"WriteLine", [](TStream& s) { return s.WriteLine(u"a"), 0.0; }, 0, true},
        {"ReadString", [](TStream& s) { return s.ReadString(2) == u"string" ? 1.0 : -1.0; }, 1,
         true},
        {"WriteString", [](TStream& s) { return s.WriteString(u"a"), 0.0; }, 0, true},
    };
    for (const auto& wrapper : wrappers) {
        for (const auto& op : operations) {
            if (op.isText && !wrapper.forwardsTexts) {
                continue;
            }
            SCOPED_TRACE(std::string(wrapper.name) + " " + op.operation);
            auto inner = std::make_shared<TRecordingStream>();
            std::unique_ptr<TStream> outer = wrapper.make(inner);
            EXPECT_EQ(op.call(*outer), op.result);
            EXPECT_EQ(inner->last, op.operation);
        }
    }
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
