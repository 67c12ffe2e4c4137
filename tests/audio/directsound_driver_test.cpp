// The "DirectSound" driver on a real DirectSound device (under Wine, one that
// plays into a PulseAudio null sink). What the driver does with channels,
// sounds and sessions is tested against a fake mixer (mixer_driver_test);
// these tests check that DirectSound's buffers behave as that bookkeeping
// expects: a duplicate per overlapping play, a pause that keeps the place,
// a status bit that falls when a sound ends, sounds that die with a session.

#include "audio/audio.h"
#include "audio/mixer_audio_driver.h"
#include "audio/sample_format.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Waits until the condition holds, for at most a second: DirectSound plays on
// a thread of its own, and its status follows the device's mixing periods.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 100; ++i) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

class DirectSoundDriver : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CurrentAudioDriver().Name(), u"DirectSound")
            << "no DirectSound device: is PULSE_SERVER set to a running server?";
    }
    void TearDown() override { StopAudioDriver(); }

    // A mono 16-bit sound of a quiet hum, `milliseconds` long.
    static std::shared_ptr<TSound> MakeSound(int32_t milliseconds, int32_t flags = 0,
                                             int32_t hertz = 22050) {
        const int32_t frames = hertz * milliseconds / 1000;
        auto sample = TAudioSample::Create(frames, hertz, FormatMono16LE);
        auto* values = reinterpret_cast<int16_t*>(sample->samples);
        for (int32_t i = 0; i < frames; ++i) {
            values[i] = static_cast<int16_t>(i % 50 < 25 ? 1000 : -1000);
        }
        return CurrentAudioDriver().CreateSound(sample, flags);
    }
};

} // namespace

TEST(DirectSoundDrivers, TheDriverIsInTheChainAndSelectedFirst) {
    EXPECT_EQ(ListAudioDrivers(), std::vector<Text>({u"DirectSound", u"Null"}));
    EXPECT_EQ(CurrentAudioDriver().Name(), u"DirectSound");
    EXPECT_EQ(SelectAudioDriver(u"directsound"), 1);
    EXPECT_EQ(CurrentAudioDriver().Name(), u"DirectSound");
    StopAudioDriver();
}

TEST_F(DirectSoundDriver, ACuedSoundWaitsForItsResumeAndPausesInPlace) {
    const auto sound = MakeSound(2000, SoundLoops);
    ASSERT_TRUE(sound);
    const auto channel = AudioCueSound(sound, nullptr);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    AudioResumeChannel(channel);
    EXPECT_TRUE(Eventually([&] { return AudioChannelBusy(channel) == 1; }));
    AudioPauseChannel(channel);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    AudioResumeChannel(channel);
    EXPECT_TRUE(Eventually([&] { return AudioChannelBusy(channel) == 1; }));
    AudioStopChannel(channel);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
}

TEST_F(DirectSoundDriver, OverlappingPlaysOfOneSoundEachGetABuffer) {
    const auto sound = MakeSound(1000);
    const auto first = AudioPlaySound(sound, nullptr);
    const auto second = AudioPlaySound(sound, nullptr);
    ASSERT_NE(first, second);
    EXPECT_TRUE(Eventually([&] { return AudioChannelBusy(first) == 1; }));
    EXPECT_EQ(AudioChannelBusy(second), 1);
    // Stopping one leaves the other, which plays its own duplicate.
    AudioStopChannel(first);
    EXPECT_EQ(AudioChannelBusy(first), 0);
    EXPECT_EQ(AudioChannelBusy(second), 1);
    // Replayed on its own channel, a sound reuses the buffer it had.
    EXPECT_EQ(AudioPlaySound(sound, first), first);
    EXPECT_TRUE(Eventually([&] { return AudioChannelBusy(first) == 1; }));
    EXPECT_EQ(AudioChannelBusy(second), 1);
}

TEST_F(DirectSoundDriver, ASoundThatEndedIsNotStartedAgainByAResume) {
    const auto sound = MakeSound(50);
    const auto channel = AudioPlaySound(sound, nullptr);
    EXPECT_TRUE(Eventually([&] { return AudioChannelBusy(channel) == 0; }));
    AudioResumeChannel(channel);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(AudioChannelBusy(channel), 0);

    // A loop plays on past its end; a play after the end starts afresh.
    const auto loop = MakeSound(50, SoundLoops);
    const auto looping = AudioPlaySound(loop, nullptr);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(AudioChannelBusy(looping), 1);
    AudioPlaySound(sound, channel);
    EXPECT_TRUE(Eventually([&] { return AudioChannelBusy(channel) == 1; }));
}

TEST_F(DirectSoundDriver, SoundsOfEveryFormatLoadAndEmptyOnesToo) {
    for (int32_t format = FormatMono8; format <= FormatStereo16BE; ++format) {
        auto sample = TAudioSample::Create(441, 44100, format);
        std::memset(sample->samples, 0, static_cast<size_t>(sample->capacity));
        const auto sound = CurrentAudioDriver().CreateSound(sample, 0);
        ASSERT_TRUE(sound) << format;
        const auto channel = AudioPlaySound(sound, nullptr);
        EXPECT_TRUE(Eventually([&] { return AudioChannelBusy(channel) == 0; })) << format;
    }
    // DirectSound makes no buffer of less than a frame: an empty sound plays
    // a moment of silence.
    const auto empty =
        CurrentAudioDriver().CreateSound(TAudioSample::Create(0, 8000, FormatMono8), 0);
    ASSERT_TRUE(empty);
    AudioPlaySound(empty, nullptr);
}

TEST_F(DirectSoundDriver, ShutdownSilencesEverythingAndTheNextStartBeginsAfresh) {
    const auto old = MakeSound(2000, SoundLoops);
    const auto channel = AudioPlaySound(old, nullptr);
    EXPECT_TRUE(Eventually([&] { return AudioChannelBusy(channel) == 1; }));
    const int32_t generation = TMixerAudioDriver::Generation();
    StopAudioDriver();
    EXPECT_EQ(TMixerAudioDriver::Generation(), generation + 1);
    EXPECT_EQ(AudioChannelBusy(channel), 0);

    ASSERT_EQ(CurrentAudioDriver().Name(), u"DirectSound");
    AudioPlaySound(old, channel); // a sound of the old session plays no more
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    AudioPlaySound(MakeSound(2000), channel);
    EXPECT_TRUE(Eventually([&] { return AudioChannelBusy(channel) == 1; }));
}
