#include "audio/audio_sample.h"
#include "audio/sample_format.h"
#include "util/runtime_error.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const TAudioSample& sample) {
    return {sample.samples, sample.samples + sample.ByteCount()};
}

std::shared_ptr<TAudioSample> SampleOf(std::vector<uint8_t> bytes, int32_t format) {
    auto sample = TAudioSample::Create(static_cast<int32_t>(bytes.size()) / BytesPerFrame(format),
                                       22050, format);
    std::copy(bytes.begin(), bytes.end(), sample->samples);
    return sample;
}

} // namespace

TEST(AudioSample, OwnsOrWrapsItsBytes) {
    const auto made = TAudioSample::Create(10, 8000, FormatStereo16LE);
    EXPECT_EQ(made->capacity, 40);
    EXPECT_EQ(made->length, 10);

    std::array<uint8_t, 4> kept = {1, 2, 3, 4};
    const auto wrapped = TAudioSample::CreateStatic(kept.data(), 2, 8000, FormatMono16BE);
    EXPECT_EQ(wrapped->capacity, -1);
    EXPECT_EQ(wrapped->samples, kept.data());

    const auto copy = wrapped->Copy();
    EXPECT_NE(copy->samples, kept.data());
    EXPECT_EQ(copy->capacity, 4);
    EXPECT_EQ(Bytes(*copy), std::vector<uint8_t>({1, 2, 3, 4}));
    EXPECT_EQ(copy->format, FormatMono16BE);

    EXPECT_THROW(TAudioSample::Create(-1, 8000, FormatMono8), TRuntimeError);
    EXPECT_THROW(TAudioSample::Create(0x40000000, 8000, FormatStereo16LE), TRuntimeError);
}

TEST(AudioSample, EightBitMonoSurvivesARoundTripThroughSixteenBits) {
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i) {
        all[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    }
    const auto source = SampleOf(all, FormatMono8);
    const auto wide = source->Convert(FormatMono16LE);
    EXPECT_EQ(wide->format, FormatMono16LE);
    EXPECT_EQ(wide->hertz, 22050);
    // 0 -> -32768, 128 -> 128, 255 -> 32767.
    EXPECT_EQ(wide->samples[0], 0x00);
    EXPECT_EQ(wide->samples[1], 0x80);
    EXPECT_EQ(wide->samples[256], 0x80);
    EXPECT_EQ(wide->samples[257], 0x00);
    EXPECT_EQ(wide->samples[510], 0xFF);
    EXPECT_EQ(wide->samples[511], 0x7F);
    EXPECT_EQ(Bytes(*wide->Convert(FormatMono8)), all);
    EXPECT_EQ(Bytes(*source), all); // the source is left as it was
}

TEST(AudioSample, ConvertsBetweenLayouts) {
    // Stereo to mono averages, truncating toward zero: (1 + -2) / 2 = 0 and
    // (-3 + 0) / 2 = -1.
    const auto stereo =
        SampleOf({0x00, 0x01, 0xFF, 0xFE, 0xFF, 0xFD, 0x00, 0x00}, FormatStereo16BE);
    EXPECT_EQ(Bytes(*stereo->Convert(FormatMono16BE)), std::vector<uint8_t>({0, 0, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(*stereo->Convert(FormatMono16LE)), std::vector<uint8_t>({0, 0, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(*stereo->Convert(FormatStereo16LE)),
              std::vector<uint8_t>({0x01, 0x00, 0xFE, 0xFF, 0xFD, 0xFF, 0x00, 0x00}));

    // Mono is copied to both channels; 8-bit values widen by 257.
    const auto mono = SampleOf({0x34, 0x12}, FormatMono16LE);
    EXPECT_EQ(Bytes(*mono->Convert(FormatStereo16BE)),
              std::vector<uint8_t>({0x12, 0x34, 0x12, 0x34}));
    const auto stereo8 = SampleOf({0, 255}, FormatStereo8);
    EXPECT_EQ(Bytes(*stereo8->Convert(FormatStereo16LE)),
              std::vector<uint8_t>({0x00, 0x80, 0xFF, 0x7F}));
    EXPECT_EQ(Bytes(*stereo8->Convert(FormatMono8)), std::vector<uint8_t>({127}));

    // Down to 8 bits divides by 257 after the offset.
    const auto loud = SampleOf({0x80, 0x00, 0x7F, 0xFF, 0x00, 0x00, 0x01, 0x01}, FormatStereo16BE);
    EXPECT_EQ(Bytes(*loud->Convert(FormatStereo8)), std::vector<uint8_t>({0, 255, 127, 128}));

    try {
        mono->Convert(7);
        FAIL() << "no error raised";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"Unimplemented sample format conversion");
    }
    EXPECT_THROW(SampleOf({1}, FormatMono8)->Convert(0), TRuntimeError);
}

// The same format is a copy before any code is checked: a code that is no
// format keeps its frames (none of whose bytes it knows) and raises nothing.
TEST(AudioSample, SameFormatIsCopiedWhateverTheCode) {
    for (int32_t code : {0, 7, -1}) {
        const auto unknown = TAudioSample::Create(3, 8000, code);
        const auto copy = unknown->Convert(code);
        EXPECT_EQ(copy->format, code);
        EXPECT_EQ(copy->length, 3);
        EXPECT_EQ(copy->hertz, 8000);
        EXPECT_THROW(unknown->Convert(FormatMono8), TRuntimeError) << code;
    }
    const std::array<uint8_t, 2> source = {1, 2};
    std::array<uint8_t, 2> target = {0, 0};
    EXPECT_NO_THROW(ConvertSampleFrames(source.data(), 9, target.data(), 9, 2));
    ConvertSampleFrames(source.data(), FormatMono16BE, target.data(), FormatMono16BE, 1);
    EXPECT_EQ(target, source);
}
