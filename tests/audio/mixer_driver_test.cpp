#include "audio/audio.h"
#include "audio/mixer_audio_driver.h"
#include "audio/mixer_channel.h"
#include "audio/sample_format.h"
#include "fake_mixer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class MixerDriver : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(driver.Startup(), 1); }

    TFakeMixerState& Mixer() { return *sessions.back(); }

    std::shared_ptr<TSound> MakeSound(int32_t flags, int32_t format = FormatMono16LE,
                                      int32_t hertz = 22050) {
        auto sample = TAudioSample::Create(100, hertz, format);
        std::memset(sample->samples, 0, static_cast<size_t>(sample->capacity));
        return driver.CreateSound(sample, flags);
    }

    // The source the mixer made last.
    TFakeSource& Newest() { return Mixer().sources.rbegin()->second; }
    uint32_t NewestId() { return Mixer().sources.rbegin()->first; }

    std::vector<std::shared_ptr<TFakeMixerState>> sessions;
    TMixerAudioDriver driver{u"Fake", [this] {
                                 sessions.push_back(std::make_shared<TFakeMixerState>());
                                 return std::make_unique<TFakeMixer>(sessions.back());
                             }};
};

} // namespace

TEST_F(MixerDriver, MakesOneLittleEndianBufferOfWholeFramesPerSound) {
    auto sample = TAudioSample::Create(2, 11025, FormatStereo16BE);
    const uint8_t bigEndian[] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
    std::memcpy(sample->samples, bigEndian, 8);
    const auto stereo = driver.CreateSound(sample, 0);
    ASSERT_TRUE(stereo);
    ASSERT_EQ(Mixer().buffers.size(), 1u);
    const auto& buffer = Mixer().buffers.begin()->second;
    EXPECT_EQ(buffer.bytes, "\x34\x12\x78\x56\xBC\x9A\xF0\xDE");
    EXPECT_EQ(buffer.channels, 2);
    EXPECT_EQ(buffer.bits, 16);
    EXPECT_EQ(buffer.hertz, 11025);
    EXPECT_EQ(Mixer().sources.size(), 1u);
    EXPECT_EQ(sample->format, FormatStereo16BE); // the caller's sample is left alone

    const auto mono = MakeSound(0, FormatMono8);
    ASSERT_TRUE(mono);
    EXPECT_EQ(Mixer().buffers.rbegin()->second.bits, 8);
    EXPECT_EQ(Mixer().buffers.rbegin()->second.channels, 1);
    EXPECT_EQ(Mixer().buffers.rbegin()->second.bytes.size(), 100u);

    // Nothing the mixer would refuse is passed on.
    EXPECT_FALSE(MakeSound(0, FormatMono8, 0));
    EXPECT_FALSE(MakeSound(0, 0));
    EXPECT_FALSE(driver.CreateSound(nullptr, 0));
    EXPECT_EQ(Mixer().buffers.size(), 2u);
}

TEST_F(MixerDriver, ACueHoldsASourceRewoundWithTheChannelsSettings) {
    const auto sound = MakeSound(SoundLoops);
    const auto channel = driver.AllocChannel();
    // Settings made before the cue are applied by it.
    AudioSetRate(channel, 0.2f);
    AudioSetVolume(channel, 0.5f);
    AudioSetPan(channel, 0.5f);
    EXPECT_EQ(AudioCueSound(sound, channel), channel);
    auto& source = Newest();
    EXPECT_EQ(source.state, TSourceState::Initial);
    EXPECT_TRUE(source.looping);
    EXPECT_EQ(source.frequency, 4410); // 0.2 of 22050
    // Volume 0.5 is -669 hundredths of a decibel; pan 0.5 is 669 pan units.
    EXPECT_EQ(source.millibels, -669);
    EXPECT_EQ(source.panUnits, 669);
    EXPECT_EQ(AudioChannelBusy(channel), 0);

    AudioResumeChannel(channel);
    EXPECT_EQ(source.state, TSourceState::Playing);
    EXPECT_EQ(AudioChannelBusy(channel), 1);
    AudioResumeChannel(channel); // already playing: carries on, not restarted
    EXPECT_EQ(source.plays, 1);

    AudioPauseChannel(channel);
    EXPECT_EQ(source.state, TSourceState::Paused);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    AudioResumeChannel(channel);
    EXPECT_EQ(source.state, TSourceState::Playing);

    // The frequency is truncated to whole hertz, whatever it comes to.
    AudioSetRate(channel, 2.0f);
    EXPECT_EQ(source.frequency, 44100);
    AudioSetRate(channel, 1e-6f);
    EXPECT_EQ(source.frequency, 0);
    AudioSetRate(channel, -1.0f);
    EXPECT_EQ(source.frequency, -22050);
    AudioSetVolume(channel, 0.0f);
    EXPECT_EQ(source.millibels, -10000);
    EXPECT_EQ(source.panUnits, 669); // the pan is left alone
    AudioSetVolume(channel, 3.0f);
    EXPECT_EQ(source.millibels, 0);
    AudioSetPan(channel, -1.0f);
    EXPECT_EQ(source.panUnits, -10000);
    EXPECT_EQ(source.millibels, 0);

    // The next cue applies the settings to the next source as they stand.
    const auto stereo = MakeSound(SoundInHardware, FormatStereo16LE);
    EXPECT_TRUE(Mixer().buffers.rbegin()->second.inHardware);
    EXPECT_FALSE(Mixer().buffers.begin()->second.inHardware);
    AudioPlaySound(stereo, channel);
    EXPECT_EQ(Newest().millibels, 0);
    EXPECT_EQ(Newest().panUnits, -10000);
    EXPECT_EQ(Newest().frequency, -22050);
    EXPECT_FALSE(Newest().looping);
}

TEST_F(MixerDriver, ASoundBusyOnOneChannelGetsAnotherSourceForTheNext) {
    const auto sound = MakeSound(0);
    const auto first = AudioPlaySound(sound, nullptr);
    const auto second = AudioPlaySound(sound, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(Mixer().sources.size(), 2u);
    EXPECT_EQ(Mixer().CountInState(TSourceState::Playing), 2);
    EXPECT_EQ(Mixer().buffers.size(), 1u); // more sources, never more data

    // Stopping and replaying on one channel reuses the source it gave up.
    AudioStopChannel(first);
    EXPECT_EQ(AudioChannelBusy(first), 0);
    AudioPlaySound(sound, first);
    EXPECT_EQ(Mixer().sources.size(), 2u);
    EXPECT_EQ(Mixer().CountInState(TSourceState::Playing), 2);

    // A sound restarted on its own channel reuses its source too.
    AudioPlaySound(sound, second);
    EXPECT_EQ(Mixer().sources.size(), 2u);
}

TEST_F(MixerDriver, AChannelThatLostItsSourceNoLongerControlsIt) {
    const auto sound = MakeSound(0);
    const auto first = AudioPlaySound(sound, nullptr);
    AudioStopChannel(first);
    const auto second = AudioPlaySound(sound, nullptr);
    ASSERT_EQ(Mixer().sources.size(), 1u);
    auto& source = Newest();

    AudioSetRate(first, 3.0f);
    AudioPauseChannel(first);
    AudioStopChannel(first);
    EXPECT_EQ(source.state, TSourceState::Playing);
    EXPECT_EQ(source.frequency, 22050);
    EXPECT_EQ(AudioChannelBusy(first), 0);
    EXPECT_EQ(AudioChannelBusy(second), 1);
}

TEST_F(MixerDriver, ResumingAfterTheSoundEndedDoesNothing) {
    const auto sound = MakeSound(0);
    const auto channel = AudioPlaySound(sound, nullptr);
    Mixer().End(NewestId());
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    AudioResumeChannel(channel);
    AudioResumeChannel(channel);
    EXPECT_EQ(Newest().plays, 1);
    EXPECT_EQ(Newest().state, TSourceState::Stopped);

    // The ended source is free for the next play.
    AudioPlaySound(sound, nullptr);
    EXPECT_EQ(Mixer().sources.size(), 1u);
    EXPECT_EQ(Newest().plays, 2);
}

TEST_F(MixerDriver, ADroppedChannelStopsACuedSoundButLetsAPlayingOneRunOn) {
    const auto sound = MakeSound(0);
    AudioCueSound(sound, nullptr); // the returned channel is dropped at once
    AudioPlaySound(sound, nullptr);
    EXPECT_EQ(Mixer().sources.size(), 1u);
    EXPECT_EQ(Newest().state, TSourceState::Playing);

    AudioPlaySound(sound, nullptr);
    EXPECT_EQ(Mixer().sources.size(), 2u);
    EXPECT_EQ(Mixer().CountInState(TSourceState::Playing), 2);
}

TEST_F(MixerDriver, SourcesOfADeletedSoundAreDeletedOnceSilent) {
    auto sound = MakeSound(0);
    const uint32_t playingId = NewestId();
    auto playing = AudioPlaySound(sound, nullptr);
    auto stopped = AudioPlaySound(sound, nullptr);
    AudioStopChannel(stopped);
    playing = nullptr;
    stopped = nullptr;
    sound = nullptr;
    EXPECT_EQ(Mixer().deletedSources, 0);

    // Making a sound flushes the lonely list: the silent source goes, the
    // playing one stays, and so does the buffer both are bound to.
    const auto other = MakeSound(0);
    EXPECT_EQ(Mixer().deletedSources, 1);
    EXPECT_EQ(Mixer().deletedBuffers, 0);
    EXPECT_TRUE(Mixer().sources.contains(playingId));

    Mixer().End(playingId);
    // Adding a source flushes too; the buffer goes with its last source.
    AudioPlaySound(other, nullptr);
    AudioPlaySound(other, nullptr);
    EXPECT_EQ(Mixer().deletedSources, 2);
    EXPECT_EQ(Mixer().deletedBuffers, 1);
}

TEST_F(MixerDriver, ACueFailsQuietlyWhenTheMixerHasNoSourceToSpare) {
    auto sound = MakeSound(0);
    Mixer().sourceLimit = 1;
    auto playing = AudioPlaySound(sound, nullptr);
    const auto starved = AudioPlaySound(sound, nullptr);
    ASSERT_TRUE(starved);
    EXPECT_EQ(AudioChannelBusy(starved), 0);
    AudioSetRate(starved, 2.0f);
    AudioResumeChannel(starved);
    EXPECT_EQ(Mixer().sources.size(), 1u);
    EXPECT_EQ(Newest().frequency, 22050);

    // A sound made now still loads, and gets a source once one is free.
    const auto later = MakeSound(0);
    ASSERT_TRUE(later);
    EXPECT_EQ(Mixer().sources.size(), 1u);
    AudioStopChannel(playing);
    playing = nullptr;
    sound = nullptr;
    const auto channel = AudioPlaySound(later, starved);
    EXPECT_EQ(channel, starved);
    EXPECT_EQ(AudioChannelBusy(starved), 1);
    EXPECT_EQ(Newest().frequency, 44100); // the rate set while starved
}

TEST_F(MixerDriver, ShutdownEndsTheSessionOfEverythingMadeInIt) {
    const int32_t generation = TMixerAudioDriver::Generation();
    auto old = MakeSound(SoundLoops);
    const auto channel = AudioPlaySound(old, nullptr);
    auto& first = *sessions.front();

    driver.Shutdown();
    EXPECT_FALSE(first.open);
    EXPECT_EQ(TMixerAudioDriver::Generation(), generation + 1);
    EXPECT_EQ(TMixerAudioDriver::Active(), nullptr);
    // The old ids may mean something else now: nothing reaches a mixer.
    AudioSetRate(channel, 2.0f);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    AudioStopChannel(channel);
    EXPECT_FALSE(driver.CreateSound(TAudioSample::Create(1, 8000, FormatMono8), 0));

    ASSERT_EQ(driver.Startup(), 1);
    ASSERT_EQ(sessions.size(), 2u);
    AudioPlaySound(old, channel);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    old = nullptr;
    EXPECT_TRUE(Mixer().sources.empty());
    EXPECT_EQ(first.sources.begin()->second.frequency, 22050);

    AudioPlaySound(MakeSound(0), channel);
    EXPECT_EQ(AudioChannelBusy(channel), 1);
}

TEST_F(MixerDriver, StartingAnotherMixingDriverShutsThisOneDown) {
    const auto sound = MakeSound(0);
    TMixerAudioDriver other(u"Other", [this] {
        sessions.push_back(std::make_shared<TFakeMixerState>());
        return std::make_unique<TFakeMixer>(sessions.back());
    });
    ASSERT_EQ(other.Startup(), 1);
    EXPECT_EQ(TMixerAudioDriver::Active(), &other);
    EXPECT_FALSE(sessions.front()->open);
    EXPECT_EQ(AudioChannelBusy(AudioPlaySound(sound, nullptr)), 0);
}

TEST_F(MixerDriver, IsSelectedByNameAndPlaysThroughTheGlobalFunctions) {
    ASSERT_EQ(SelectAudioDriver(u"fAKE"), 1);
    EXPECT_EQ(&CurrentAudioDriver(), &driver);
    auto sample = TAudioSample::Create(10, 8000, FormatMono8);
    std::memset(sample->samples, 128, 10);
    const auto sound = AudioLoadSound(sample, SoundLoops);
    ASSERT_TRUE(sound);
    const auto channel = AudioNewChannel();
    EXPECT_TRUE(std::dynamic_pointer_cast<TMixerChannel>(channel));
    AudioPlaySound(sound, channel);
    EXPECT_EQ(AudioChannelBusy(channel), 1);

    StopAudioDriver();
    EXPECT_FALSE(Mixer().open);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
}
