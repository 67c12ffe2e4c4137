// The OpenAL driver's mixing, heard through OpenAL Soft's loopback device:
// the tests render the mix themselves, sample-exactly, with no sound card
// and no clock involved.

#include "audio/audio.h"
#include "audio/mixer_audio_driver.h"
#include "audio/openal/openal_mixer.h"
#include "audio/sample_format.h"
#include "wav_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int32_t Rate = 44100;
constexpr int Left = 0;
constexpr int Right = 1;

// Interleaved 16-bit stereo frames.
using TMix = std::vector<int16_t>;

// Upward zero crossings of one channel: one per period of a tone.
int CountPeriods(const TMix& mix, int channel) {
    int periods = 0;
    for (size_t i = 2 + channel; i < mix.size(); i += 2) {
        periods += mix[i - 2] < 0 && mix[i] >= 0 ? 1 : 0;
    }
    return periods;
}

// The mean absolute value of one channel over frames [from, end).
double MeanLevel(const TMix& mix, int channel, size_t from = 0) {
    double sum = 0.0;
    const size_t frames = mix.size() / 2;
    for (size_t f = from; f < frames; ++f) {
        sum += std::abs(mix[2 * f + channel]);
    }
    return sum / static_cast<double>(frames - from);
}

// OpenAL Soft dithers its 16-bit output, so silence is ±1.
bool Silent(const TMix& mix, size_t fromFrame = 0) {
    return std::all_of(mix.begin() + static_cast<ptrdiff_t>(2 * fromFrame), mix.end(),
                       [](int16_t v) { return std::abs(v) <= 1; });
}

class OpenALLoopback : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(driver.Startup(), 1) << "OpenAL offers no loopback device (ALC_SOFT_loopback)";
    }

    TMix Render(int32_t frames) {
        TMix mix(2 * static_cast<size_t>(frames));
        mixer->RenderStereo16(mix.data(), frames);
        return mix;
    }

    std::shared_ptr<TSound> SoundOf(const std::vector<int16_t>& values, int32_t format,
                                    int32_t flags) {
        const auto frames = static_cast<int32_t>(values.size()) / ChannelCount(format);
        auto sample = TAudioSample::Create(frames, Rate, format);
        std::memcpy(sample->samples, values.data(), values.size() * 2);
        return driver.CreateSound(sample, flags);
    }
    std::shared_ptr<TSound> Tone(double frequency, int32_t frames, int32_t flags) {
        return SoundOf(SineTone(frames, frequency, Rate), FormatMono16LE, flags);
    }
    // A constant level: what comes out is the gain the mixer applied.
    std::shared_ptr<TSound> Level(int16_t value, int32_t frames, int32_t flags) {
        return SoundOf(std::vector<int16_t>(static_cast<size_t>(frames), value), FormatMono16LE,
                       flags);
    }

    TOpenALMixer* mixer = nullptr;
    TMixerAudioDriver driver{u"Loopback", [this] {
                                 auto opened = TOpenALMixer::OpenLoopback(Rate);
                                 mixer = opened.get();
                                 return opened;
                             }};
};

} // namespace

TEST_F(OpenALLoopback, ALoopingToneSoundsAtThePitchOfItsRate) {
    // One second holding exactly 440 periods, so the loop is seamless.
    const auto tone = Tone(440.0, Rate, SoundLoops);
    const auto channel = AudioPlaySound(tone, nullptr);
    Render(Rate / 10);
    EXPECT_NEAR(CountPeriods(Render(Rate), Left), 440, 2);

    AudioSetRate(channel, 3.0f); // the engine at full throttle
    Render(Rate / 10);
    EXPECT_NEAR(CountPeriods(Render(Rate), Left), 1320, 3);

    // The lose screen: stopped, slowed, then played again from the start.
    AudioStopChannel(channel);
    AudioSetRate(channel, 0.2f);
    AudioPlaySound(tone, channel);
    Render(Rate / 10);
    EXPECT_NEAR(CountPeriods(Render(Rate), Left), 88, 2);
}

TEST_F(OpenALLoopback, ALoopSoundsUntilStoppedAndStopSilencesIt) {
    // A tenth of a second, 50 whole periods, played for a whole second.
    const auto tone = Tone(500.0, Rate / 10, SoundLoops);
    const auto channel = AudioPlaySound(tone, nullptr);
    for (int round = 0; round < 10; ++round) {
        EXPECT_GT(MeanLevel(Render(Rate / 10), Left), 2000.0) << "round " << round;
    }
    EXPECT_EQ(AudioChannelBusy(channel), 1);

    AudioStopChannel(channel);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    EXPECT_TRUE(Silent(Render(Rate / 10), 64));
}

TEST_F(OpenALLoopback, TwoPlaysOfOneSoundOverlap) {
    const auto level = Level(8000, 2 * Rate, 0);
    const auto first = AudioPlaySound(level, nullptr);
    const double alone = MeanLevel(Render(4096), Left, 2048);
    ASSERT_GT(alone, 1000.0);

    const auto second = AudioPlaySound(level, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NEAR(MeanLevel(Render(4096), Left, 2048) / alone, 2.0, 0.02);
    EXPECT_EQ(AudioChannelBusy(first), 1);
    EXPECT_EQ(AudioChannelBusy(second), 1);

    AudioStopChannel(first);
    EXPECT_NEAR(MeanLevel(Render(4096), Left, 2048) / alone, 1.0, 0.02);
}

TEST_F(OpenALLoopback, ASoundThatEndsStaysEnded) {
    const int32_t length = Rate / 10;
    const auto tone = Tone(500.0, length, 0);
    const auto channel = AudioPlaySound(tone, nullptr);
    Render(length / 2);
    EXPECT_EQ(AudioChannelBusy(channel), 1);

    // The state changes once per mixing period: render on in small steps and
    // allow a few of them past the end.
    int32_t rendered = length / 2;
    while (AudioChannelBusy(channel) == 1 && rendered < 4 * length) {
        Render(256);
        rendered += 256;
    }
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    EXPECT_LE(rendered, length + 4096);
    EXPECT_TRUE(Silent(Render(length)));

    AudioResumeChannel(channel);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    EXPECT_TRUE(Silent(Render(length)));
}

TEST_F(OpenALLoopback, SoundsPlayAtTheLevelOfTheirSamplesLessVolumeAndPan) {
    // A mono level of 8000; a stereo one of 8000 left and 4000 right.
    constexpr int32_t Frames = 4 * 4096;
    std::vector<int16_t> stereoFrames(2 * Frames);
    for (size_t i = 0; i < stereoFrames.size(); i += 2) {
        stereoFrames[i] = 8000;
        stereoFrames[i + 1] = 4000;
    }
    const auto mono = Level(8000, Frames, SoundLoops);
    const auto stereo = SoundOf(stereoFrames, FormatStereo16LE, SoundLoops);

    // In hundredths of a decibel: pan 0.5 is 669, volume 0.5 is -669. A pan
    // takes from a mono sound's far side only; a stereo sound keeps both.
    const struct {
        float volume;
        float pan;
        int32_t stereo; // both channels of the stereo sound
        int32_t monoLeft;
        int32_t monoRight;
    } cases[] = {
        {1.0f, 0.0f, 0, 0, 0},           {1.0f, 0.5f, 0, -669, 0},
        {1.0f, -0.5f, 0, 0, -669},       {1.0f, 1.0f, 0, -10000, 0},
        {1.0f, -1.0f, 0, 0, -10000},     {0.5f, 0.0f, -669, -669, -669},
        {0.5f, 0.5f, -669, -1338, -669},
    };
    const auto decibels = [](double level, double reference) {
        return 20.0 * std::log10(std::max(level, 1e-3) / reference);
    };
    const auto expectLevel = [&](double level, double reference, int32_t millibels) {
        if (millibels <= -10000) {
            EXPECT_LE(level, 1.0); // silent but for the dither
        } else {
            EXPECT_NEAR(decibels(level, reference), millibels / 100.0, 0.2);
        }
    };
    // Channels of this driver only: a channel from the current driver would
    // start the default device's OpenAL driver, which shuts this one down.
    const auto channel = driver.AllocChannel();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << ", pan " << c.pan);
        AudioSetVolume(channel, c.volume);
        AudioSetPan(channel, c.pan);
        AudioPlaySound(mono, channel);
        const TMix monoMix = Render(4096);
        expectLevel(MeanLevel(monoMix, Left, 2048), 8000.0, c.monoLeft);
        expectLevel(MeanLevel(monoMix, Right, 2048), 8000.0, c.monoRight);

        AudioStopChannel(channel);
        AudioPlaySound(stereo, channel);
        const TMix stereoMix = Render(4096);
        expectLevel(MeanLevel(stereoMix, Left, 2048), 8000.0, c.stereo);
        expectLevel(MeanLevel(stereoMix, Right, 2048), 4000.0, c.stereo);
        AudioStopChannel(channel);
    }
}

TEST_F(OpenALLoopback, BothSidesOfAMonoSoundStayInStepThroughPitchChanges) {
    // The engine changes pitch every fourth frame for a whole game: were the
    // two sides a sample apart, the car would sound hollow.
    const auto tone = Tone(441.0, Rate / 10, SoundLoops);
    const auto channel = AudioPlaySound(tone, nullptr);
    for (int change = 0; change < 300; ++change) {
        AudioSetRate(channel, 0.5f + static_cast<float>(change % 7) * 0.37f);
        Render(37 + change % 5);
    }
    const TMix mix = Render(4096);
    int worst = 0;
    for (size_t i = 0; i < mix.size(); i += 2) {
        worst = std::max(worst, std::abs(mix[i] - mix[i + 1]));
    }
    EXPECT_LE(worst, 2) << "the sides differ by more than the dither";
}
