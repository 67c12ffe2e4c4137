#include "io/c_stream.h"
#include "io/stream_open.h"
#include "temp_directory.h"

#include <gtest/gtest.h>
#include <unistd.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <algorithm>
#include <cstdio>
#include <vector>

TEST(CStream, WritesReadsAndTracksPositionAndSize) {
    TTempDirectory dir;
    auto out = StreamOpenWrite(dir.TextPath("data.bin"));
    ASSERT_TRUE(out);
    out->WriteInt(0x64636261);
    out->WriteString(u"ef");
    EXPECT_EQ(out->Pos(), 6);
    EXPECT_EQ(out->Size(), 6);
    out->Close();
    EXPECT_EQ(dir.ReadFile("data.bin"), "abcdef");

    auto in = StreamOpenRead(dir.TextPath("data.bin"));
    ASSERT_TRUE(in);
    EXPECT_EQ(in->Size(), 6);
    EXPECT_EQ(in->Seek(4), 4);
    EXPECT_EQ(in->ReadString(2), u"ef");
    EXPECT_TRUE(in->Eof());
    in->Close();
    in->Close();
    EXPECT_EQ(in->Pos(), 0);
    EXPECT_EQ(in->Size(), 0);
    EXPECT_TRUE(in->Eof());
    char byte = 0;
    EXPECT_EQ(in->Read(&byte, 1), 0);
}

TEST(CStream, UpdateModeInterleavesReadsAndWritesInPlace) {
    TTempDirectory dir;
    dir.WriteFile("data.bin", "abcdef");
    auto stream = TCStream::OpenFile(dir.TextPath("data.bin"), true, true);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->Mode(), TCStream::MODE_READ | TCStream::MODE_WRITE);
    EXPECT_EQ(stream->ReadString(2), u"ab");
    stream->WriteString(u"XY");
    EXPECT_EQ(stream->ReadString(1), u"e");
    stream->Seek(6);
    stream->WriteString(u"gh");
    EXPECT_EQ(stream->Size(), 8);
    stream->Seek(0);
    EXPECT_EQ(stream->ReadString(8), u"abXYefgh");
}

TEST(CStream, DestructionClosesAndFlushesTheFile) {
    TTempDirectory dir;
    StreamOpenWrite(dir.TextPath("out.txt"))->WriteLine(u"kept");
    EXPECT_EQ(dir.ReadFile("out.txt"), "kept\r\n");
}

TEST(CStream, OpensBackslashPathsAndRefusesMissingFilesAndDirectories) {
    TTempDirectory dir;
    std::filesystem::create_directory(dir.Path("sub"));
    dir.WriteFile("sub/f.txt", "same");
    Text backslashed = dir.TextPath("sub/f.txt");
    std::replace(backslashed.begin(), backslashed.end(), u'/', u'\\');
    auto stream = StreamOpenRead(backslashed);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->ReadLine(), u"same");

    EXPECT_FALSE(StreamOpenRead(dir.TextPath("missing.txt")));
    EXPECT_FALSE(StreamOpen(dir.TextPath("missing.txt"), true, true)) << "update needs the file";
    EXPECT_FALSE(StreamOpenRead(dir.TextPath("sub")));
}

TEST(CStream, AHandleThatCannotSeekHasNoPosition) {
    int fds[2];
#ifdef _WIN32
    ASSERT_EQ(_pipe(fds, 256, _O_BINARY), 0);
#else
    ASSERT_EQ(pipe(fds), 0);
#endif
    ASSERT_EQ(write(fds[1], "ab", 2), 2);
    close(fds[1]);
    auto stream = TCStream::CreateWithCStream(fdopen(fds[0], "rb"), TCStream::MODE_READ);
    EXPECT_EQ(stream->Pos(), -1);
    EXPECT_EQ(stream->ReadLine(), u"ab");
    EXPECT_EQ(stream->Pos(), -1);
}

TEST(SettingsFileReading, SeesEveryLineOnceAndNoTrailingEmptyLine) {
    TTempDirectory dir;
    const auto readAll = [&](const std::string& bytes) {
        dir.WriteFile("settings.txt", bytes);
        std::vector<Text> lines;
        auto stream = FileOpenRead(dir.TextPath("settings.txt"));
        while (!Eof(stream)) {
            lines.push_back(ReadLine(stream));
        }
        CloseStream(stream);
        return lines;
    };
    EXPECT_EQ(readAll("a\r\nb"), (std::vector<Text>{u"a", u"b"}));
    EXPECT_EQ(readAll("a=1\r\nb=2\r\n"), (std::vector<Text>{u"a=1", u"b=2"}));
    EXPECT_EQ(readAll("x\n"), (std::vector<Text>{u"x"}));
    EXPECT_EQ(readAll(""), (std::vector<Text>{}));
}
