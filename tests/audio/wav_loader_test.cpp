#include "audio/audio_sample_loader.h"
#include "audio/sample_format.h"
#include "io/stream_exception.h"
#include "temp_directory.h"
#include "util/runtime_error.h"
#include "wav_bytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const TAudioSample& sample) {
    return std::string(reinterpret_cast<const char*>(sample.samples),
                       static_cast<size_t>(sample.ByteCount()));
}

std::shared_ptr<TAudioSample> LoadBytes(const std::string& bytes) {
    TTempDirectory dir;
    return AudioSampleFromUrl(dir.WriteFile("sound.wav", bytes));
}

} // namespace

TEST(WavLoader, ReadsEachPcmLayout) {
    const auto mono8 = LoadBytes(PcmWav(1, 11025, 8, std::string("\x00\x80\xff", 3)));
    ASSERT_TRUE(mono8);
    EXPECT_EQ(mono8->format, FormatMono8);
    EXPECT_EQ(mono8->length, 3);
    EXPECT_EQ(mono8->hertz, 11025);
    EXPECT_EQ(mono8->capacity, 3);
    EXPECT_EQ(Bytes(*mono8), std::string("\x00\x80\xff", 3));

    const auto stereo8 = LoadBytes(PcmWav(2, 8000, 8, "abcd"));
    ASSERT_TRUE(stereo8);
    EXPECT_EQ(stereo8->format, FormatStereo8);
    EXPECT_EQ(stereo8->length, 2);

    const auto mono16 = LoadBytes(PcmWav(1, 22050, 16, Samples16({1, -1, 300})));
    ASSERT_TRUE(mono16);
    EXPECT_EQ(mono16->format, FormatMono16LE);
    EXPECT_EQ(mono16->length, 3);

    const std::string frames = Samples16({100, -100, 32767, -32768});
    const auto stereo16 = LoadBytes(PcmWav(2, 44100, 16, frames));
    ASSERT_TRUE(stereo16);
    EXPECT_EQ(stereo16->format, FormatStereo16LE);
    EXPECT_EQ(stereo16->length, 2);
    EXPECT_EQ(stereo16->hertz, 44100);
    EXPECT_EQ(Bytes(*stereo16), frames);
}

TEST(WavLoader, SkipsTheFormatExtensionAndChunksBeforeTheData) {
    // An 18-byte "fmt " chunk: the extension size field is skipped.
    const auto extended = LoadBytes(Riff(
        Chunk("fmt ", FormatBody(1, 1, 8000, 8, std::string(2, '\0'))) + Chunk("data", "xyz")));
    ASSERT_TRUE(extended);
    EXPECT_EQ(Bytes(*extended), "xyz");

    // A LIST chunk, and an odd-sized one skipped by its exact size (no pad).
    const auto listed =
        LoadBytes(Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 8)) + Chunk("LIST", "INFOsome") +
                       Chunk("junk", "odd") + Chunk("data", "pq")));
    ASSERT_TRUE(listed);
    EXPECT_EQ(Bytes(*listed), "pq");
}

TEST(WavLoader, RefusesWhatItCannotPlay) {
    const std::string fmt8 = Chunk("fmt ", FormatBody(1, 1, 8000, 8));
    // The format chunk must come straight after "WAVE".
    EXPECT_FALSE(LoadBytes(Riff(Chunk("LIST", "INFO") + fmt8 + Chunk("data", "ab"))));
    EXPECT_FALSE(LoadBytes(PcmWav(1, 8000, 24, "abcdef")));
    EXPECT_FALSE(LoadBytes(PcmWav(4, 8000, 16, "abcdefgh")));
    EXPECT_FALSE(
        LoadBytes(Riff(Chunk("fmt ", FormatBody(3, 1, 8000, 32)) + Chunk("data", "abcd"))));
    EXPECT_FALSE(LoadBytes(PcmWav(1, 0, 8, "ab"))); // a rate of 0 can never be played
    EXPECT_FALSE(LoadBytes(Riff(fmt8)));            // no data chunk
    EXPECT_FALSE(LoadBytes(Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 8).substr(0, 14)) +
                                Chunk("data", "ab")))); // format chunk too short
    EXPECT_FALSE(LoadBytes("RIFX" + PcmWav(1, 8000, 8, "ab").substr(4)));
    EXPECT_FALSE(LoadBytes("not a sound file at all"));
    EXPECT_FALSE(LoadBytes(""));

    TTempDirectory dir;
    EXPECT_FALSE(AudioSampleFromUrl(dir.TextPath("missing.wav")));
}

TEST(WavLoader, TruncatedFilesGiveNoSample) {
    const std::string whole = PcmWav(1, 8000, 16, Samples16({1, 2, 3, 4}));
    EXPECT_FALSE(LoadBytes(whole.substr(0, whole.size() - 1)));
    EXPECT_FALSE(LoadBytes(whole.substr(0, 30))); // inside the format chunk

    // A data chunk claiming nearly 2 GB in a tiny file: refused before any
    // buffer of that size is made.
    const std::string fmt16 = Chunk("fmt ", FormatBody(1, 1, 8000, 16));
    EXPECT_FALSE(LoadBytes(Riff(fmt16 + Chunk("data", "abcd", 0x7FFFFFF0))));
    // A size past 2 GB reads as negative.
    EXPECT_FALSE(LoadBytes(Riff(fmt16 + Chunk("data", "abcd", 0xFFFFFFF0))));
    EXPECT_FALSE(LoadBytes(Riff(fmt16 + Chunk("LIST", "abcd", 0xFFFFFFF0) + Chunk("data", "ab"))));
}

TEST(WavLoader, DataThatIsNotWholeFramesKeepsTheWholeOnes) {
    // 16-bit stereo, 10 bytes: two whole frames and two bytes over.
    const auto sample =
        LoadBytes(Riff(Chunk("fmt ", FormatBody(1, 2, 8000, 16)) + Chunk("data", "ABCDEFGHij")));
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->length, 2);
    EXPECT_EQ(sample->capacity, 8);
    EXPECT_EQ(Bytes(*sample), "ABCDEFGH");
}

namespace {

// Claims every stream whose first byte is '#', and fails on a short one the
// way a loader's stream reads do.
class THashLoader : public TAudioSampleLoader {
public:
    std::shared_ptr<TAudioSample> LoadAudioSample(TStream& stream) override {
        ++calls;
        if (stream.ReadByte() != '#') {
            return nullptr;
        }
        if (stream.Size() < 4) {
            throw TStreamReadException();
        }
        return TAudioSample::Create(1, 1234, FormatMono8);
    }
    int calls = 0;
};

// Reads like a pipe: no position.
class TPipeStream : public TStream {
public:
    int32_t Read(void*, int32_t) override { return 0; }
};

} // namespace

TEST(AudioSampleFromUrl, AsksTheNewestLoaderFirstFromTheSameStart) {
    THashLoader loader;
    EXPECT_EQ(FirstAudioSampleLoader(), &loader);

    const auto mine = LoadBytes("#abc");
    ASSERT_TRUE(mine);
    EXPECT_EQ(mine->hertz, 1234);

    // Refused by the new loader after it has read a byte: the WAV loader still
    // reads the file from its start.
    const auto wav = LoadBytes(PcmWav(1, 8000, 8, "ab"));
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->hertz, 8000);

    // A stream error inside a loader counts as a refusal.
    EXPECT_FALSE(LoadBytes("#a"));
    EXPECT_EQ(loader.calls, 3);
}

TEST(AudioSampleFromUrl, AStreamThatCannotSeekIsAnError) {
    try {
        AudioSampleFromUrl(std::make_shared<TPipeStream>());
        FAIL() << "no error raised";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"Stream is not seekable");
    }
}
