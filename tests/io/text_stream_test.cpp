#include "io/memory_stream.h"
#include "io/text_stream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TTextOverBank {
    explicit TTextOverBank(TTextStream::TEncoding encoding, const std::string& bytes = "")
        : bank(std::make_shared<TBankStream>(nullptr)), text(bank, encoding) {
        bank->WriteBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
        bank->Seek(0);
    }
    std::string Bytes() const {
        const auto& b = *bank->Bank();
        return std::string(reinterpret_cast<const char*>(b.Data()), b.Size());
    }
    std::shared_ptr<TBankStream> bank;
    TTextStream text;
};

std::string Written(TTextStream::TEncoding encoding, const Text& text) {
    TTextOverBank stream(encoding);
    stream.text.WriteString(text);
    return stream.Bytes();
}

} // namespace

TEST(TextStream, EncodesEachCodeUnitInItsEncoding) {
    const Text sample = u"A\u00E9\u20AC";
    EXPECT_EQ(Written(TTextStream::LATIN1, sample), "A\xE9\xAC");
    EXPECT_EQ(Written(TTextStream::UTF8, sample), "A\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(Written(TTextStream::UTF16BE, sample), std::string("\0A\0\xE9\x20\xAC", 6));
    EXPECT_EQ(Written(TTextStream::UTF16LE, sample), std::string("A\0\xE9\0\xAC\x20", 6));
    // A surrogate pair goes out as two three-byte halves.
    EXPECT_EQ(Written(TTextStream::UTF8, u"\U0001F600"), "\xED\xA0\xBD\xED\xB8\x80");
}

TEST(TextStream, WriteLineEndsWithAnEncodedCrLf) {
    TTextOverBank utf16(TTextStream::UTF16LE);
    utf16.text.WriteLine(u"x");
    EXPECT_EQ(utf16.Bytes(), std::string("x\0\r\0\n\0", 6));
}

TEST(TextStream, RawBytesBecomeAHexDumpOf32BytesPerLine) {
    TTextOverBank dump(TTextStream::UTF8);
    std::string raw(33, '\0');
    raw[0] = '\xAB';
    raw[32] = '\x0F';
    EXPECT_EQ(dump.text.Write(raw.data(), 33), 33);
    dump.text.WriteLine(u"end");
    EXPECT_EQ(dump.Bytes(), "AB" + std::string(62, '0') + "\r\n0F\r\nend\r\n");

    TTextOverBank full(TTextStream::LATIN1);
    full.text.Write(std::string(32, '\x11').data(), 32);
    full.text.WriteLine(u"");
    EXPECT_EQ(full.Bytes(), std::string(64, '1') + "\r\n\r\n") << "no empty hex line is closed";
}

// Only raw Write and the text operations are the codec's; exact-length and
// typed values reach the wrapped stream as they are.
TEST(TextStream, TypedAndExactLengthWritesAreNotEncoded) {
    TTextOverBank stream(TTextStream::UTF8);
    stream.text.WriteInt(1);
    stream.text.WriteBytes("\xE9", 1);
    stream.text.WriteByte(0xFF);
    stream.text.Write("\x01", 1);
    EXPECT_EQ(stream.Bytes(), std::string("\x01\0\0\0\xE9\xFF"
                                          "01",
                                          8));
}

// A byte kept back after a malformed character comes first in any read.
TEST(TextStream, AKeptBackByteStartsTheNextTypedRead) {
    TTextOverBank stream(TTextStream::UTF8, "\xC3\x41\x42\x43\x44");
    EXPECT_EQ(stream.text.ReadString(1), u"\uFFFD");
    EXPECT_EQ(stream.text.ReadShort(), 0x4241);
    EXPECT_EQ(stream.text.ReadShort(), 0x4443);
}

TEST(TextStream, ReadsLinesBackInEveryEncoding) {
    const Text first = u"caf\u00E9 \u20AC\U0001F600";
    for (auto encoding : {TTextStream::UTF8, TTextStream::UTF16BE, TTextStream::UTF16LE}) {
        TTextOverBank stream(encoding);
        stream.text.WriteLine(first);
        stream.text.WriteString(u"last");
        stream.text.Seek(0);
        EXPECT_EQ(stream.text.ReadLine(), first) << "encoding " << encoding;
        EXPECT_EQ(stream.text.ReadLine(), u"last");
        EXPECT_TRUE(stream.text.Eof());
    }
    TTextOverBank latin(TTextStream::LATIN1, "\xE9t\xE9\r\n");
    EXPECT_EQ(latin.text.ReadLine(), u"\u00E9t\u00E9");
    latin.text.Seek(0);
    EXPECT_EQ(latin.text.ReadString(2), u"\u00E9t");
}

TEST(TextStream, MalformedUtf8BecomesReplacementWithoutLosingTheNextByte) {
    TTextOverBank stream(TTextStream::UTF8, "\xE9\n\xF0\x9F\x98\x80\nb\x80");
    EXPECT_EQ(stream.text.ReadLine(), u"\uFFFD");
    EXPECT_EQ(stream.text.ReadLine(), u"\U0001F600");
    EXPECT_EQ(stream.text.ReadLine(), u"b\uFFFD");
    EXPECT_TRUE(stream.text.Eof());
}
