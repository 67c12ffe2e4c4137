#include "io/embedded_data.h"
#include "io/memory_stream.h"
#include "io/stream_factory.h"
#include "io/stream_open.h"
#include "io/text_stream.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

namespace {

// Hands out its bytes a few at a time and cannot seek, like a pipe.
class TTrickleStream : public TStream {
public:
    explicit TTrickleStream(std::string bytes) : _bytes(std::move(bytes)) {}
    int32_t Read(void* buffer, int32_t count) override {
        const auto n = std::min<size_t>({static_cast<size_t>(count), 3, _bytes.size() - _next});
        std::copy_n(_bytes.data() + _next, n, static_cast<char*>(buffer));
        _next += n;
        return static_cast<int32_t>(n);
    }

private:
    std::string _bytes;
    size_t _next = 0;
};

// Answers every request with an empty bank stream.
class TGreedyFactory : public TStreamFactory {
public:
    std::shared_ptr<TStream> CreateStream(const TUrl&, const Text& scheme, const Text& path, bool,
                                          bool) override {
        lastScheme = scheme;
        lastPath = path;
        return std::make_shared<TBankStream>(nullptr);
    }
    Text lastScheme;
    Text lastPath;
};

} // namespace

TEST(StreamOpen, SchemesPickTheByteOrderViewAndUnknownSchemesGiveNull) {
    TTempDirectory dir;
    dir.WriteFile("short.bin", "\x12\x34");
    const Text path = dir.TextPath("short.bin");

    EXPECT_EQ(StreamOpenRead(path)->ReadShort(), 0x3412);
    EXPECT_EQ(StreamOpenRead(u"littleendian::" + path)->ReadShort(), 0x3412);
    EXPECT_EQ(StreamOpenRead(u"bigendian::" + path)->ReadShort(), 0x1234);
    EXPECT_EQ(StreamOpenRead(u"BigEndian::" + path)->ReadShort(), 0x1234);

    EXPECT_FALSE(StreamOpenRead(u"bigendian::" + dir.TextPath("missing")));
    EXPECT_FALSE(StreamOpenRead(u"utf8::" + dir.TextPath("missing")));
    EXPECT_FALSE(StreamOpenRead(u"nosuchscheme::" + path));
    EXPECT_FALSE(StreamOpenRead(u""));
    EXPECT_FALSE(StreamOpenRead(u"http::example"));
}

TEST(StreamOpen, TextSchemesWrapTheFileInACodec) {
    TTempDirectory dir;
    auto out = StreamOpenWrite(u"UTF16BE::" + dir.TextPath("t.txt"));
    ASSERT_TRUE(std::dynamic_pointer_cast<TTextStream>(out));
    out->WriteLine(u"A");
    out->Close();
    EXPECT_EQ(dir.ReadFile("t.txt"), std::string("\0A\0\r\0\n", 6));
}

// Schemes stack: a codec over a byte-order view keeps that view's order for
// typed values, and typed writes through a codec are not encoded.
TEST(StreamOpen, StackedSchemesKeepEachLayersTypedBehaviour) {
    TTempDirectory dir;
    dir.WriteFile("short.bin", "\x12\x34");
    EXPECT_EQ(StreamOpenRead(u"utf8::bigendian::" + dir.TextPath("short.bin"))->ReadShort(),
              0x1234);

    auto out = StreamOpenWrite(u"utf8::" + dir.TextPath("int.bin"));
    out->WriteInt(1);
    out->Write("\x02", 1);
    out->Close();
    EXPECT_EQ(dir.ReadFile("int.bin"), std::string("\x01\0\0\0"
                                                   "02",
                                                   6));
}

TEST(StreamOpen, EmbeddedDataIsReadOnly) {
    static const char block[] = "glyphs";
    RegisterEmbeddedData(u"test-font", block, 6);
    auto stream = StreamOpenRead(u"embedded::test-font");
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->Size(), 6);
    EXPECT_EQ(stream->ReadLine(), u"glyphs");
    EXPECT_FALSE(StreamOpen(u"embedded::test-font", true, true));
    EXPECT_FALSE(StreamOpenRead(u"embedded::no-such-block"));
}

TEST(StreamOpen, BanksAndStreamsCanBeOpenedDirectly) {
    auto bank = std::make_shared<TBank>();
    auto bankStream = StreamOpenWrite(bank);
    ASSERT_TRUE(bankStream);
    bankStream->WriteInt(1);
    EXPECT_EQ(bank->Size(), 4);

    auto original = std::make_shared<TBankStream>(bank);
    auto view = StreamOpenRead(original);
    ASSERT_TRUE(view);
    EXPECT_NE(view, std::static_pointer_cast<TStream>(original));
    EXPECT_EQ(view->ReadInt(), 1);
    CloseStream(view);
    EXPECT_EQ(original->Pos(), 4) << "closing the view leaves the original as it was";
}

TEST(StreamOpen, NewFactoriesStandInFrontAndLeaveWhenDestroyed) {
    {
        TGreedyFactory greedy;
        EXPECT_EQ(FirstStreamFactory(), &greedy);
        EXPECT_TRUE(StreamOpenRead(u"UTF8::a::b"));
        EXPECT_EQ(greedy.lastScheme, u"utf8");
        EXPECT_EQ(greedy.lastPath, u"a::b");
        EXPECT_TRUE(StreamOpenRead(u"")) << "an empty url still asks the factories";
        EXPECT_EQ(greedy.lastScheme, u"");
    }
    EXPECT_FALSE(StreamOpenRead(u"nosuchscheme::x"));
}

TEST(FileOpen, BuffersAStreamThatCannotSeek) {
    const std::string bytes = "line one\nline two";
    auto trickle = std::make_shared<TTrickleStream>(bytes);
    auto stream = FileOpenRead(trickle);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->Size(), static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(stream->ReadLine(), u"line one");
    EXPECT_EQ(stream->Seek(0), 0);
    EXPECT_EQ(stream->ReadLine(), u"line one");

    auto writable = FileOpen(std::make_shared<TTrickleStream>(bytes), false, true);
    EXPECT_EQ(writable->Pos(), -1) << "writes must reach the real stream, not a copy";
    EXPECT_FALSE(FileOpenRead(u"/no/such/dir/file.txt"));
}

TEST(StreamViews, LittleEndianIsTheSameStreamAndNullStaysNull) {
    auto stream = std::make_shared<TBankStream>(nullptr);
    EXPECT_EQ(LittleEndianView(stream), stream);
    EXPECT_FALSE(BigEndianView(nullptr));
    EXPECT_TRUE(BigEndianView(stream));
}

TEST(StreamHelpers, TreatANullStreamAsEmpty) {
    const std::shared_ptr<TStream> none;
    EXPECT_TRUE(Eof(none));
    EXPECT_EQ(ReadLine(none), u"");
    CloseStream(none);
}
