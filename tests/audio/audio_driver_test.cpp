#include "audio/audio.h"
#include "audio/null_audio.h"
#include "audio/sample_format.h"
#include "temp_directory.h"
#include "wav_bytes.h"

#include <gtest/gtest.h>

namespace {

class TTestDriver : public TAudioDriver {
public:
    TTestDriver(Text name, int32_t startsUp) : _name(std::move(name)), _startsUp(startsUp) {}
    Text Name() override { return _name; }
    int32_t Startup() override {
        ++startups;
        return _startsUp;
    }
    void Shutdown() override { ++shutdowns; }

    int startups = 0;
    int shutdowns = 0;

private:
    Text _name;
    int32_t _startsUp;
};

} // namespace

TEST(AudioDrivers, NewDriversJoinTheChainInFrontOfNull) {
    EXPECT_EQ(ListAudioDrivers(), std::vector<Text>({u"Null"}));
    {
        TTestDriver first(u"First", 1);
        TTestDriver second(u"Second", 1);
        EXPECT_EQ(ListAudioDrivers(), std::vector<Text>({u"Second", u"First", u"Null"}));
        EXPECT_EQ(HasAudioDriver(u"first"), 1);
        EXPECT_EQ(HasAudioDriver(u"NULL"), 1);
        EXPECT_EQ(HasAudioDriver(u"Third"), 0);
    }
    EXPECT_EQ(ListAudioDrivers(), std::vector<Text>({u"Null"}));
}

TEST(AudioDrivers, SelectionStartsTheNamedDriverInAnyCase) {
    TTestDriver working(u"Working", 1);
    TTestDriver broken(u"Broken", 0);

    EXPECT_EQ(SelectAudioDriver(u"wORKING"), 1);
    EXPECT_EQ(&CurrentAudioDriver(), &working);
    EXPECT_EQ(working.startups, 1);

    // The current driver is shut down before the next is tried; a driver
    // that does not start leaves the null driver current.
    EXPECT_EQ(SelectAudioDriver(u"broken"), 0);
    EXPECT_EQ(working.shutdowns, 1);
    EXPECT_EQ(broken.startups, 1);
    EXPECT_EQ(&CurrentAudioDriver(), &NullAudioDriver());

    EXPECT_EQ(SelectAudioDriver(u"Working"), 1);
    EXPECT_EQ(SelectAudioDriver(u"missing"), 0);
    EXPECT_EQ(working.shutdowns, 2);
    EXPECT_EQ(CurrentAudioDriver().Name(), u"Null");

    // A current driver that goes away leaves none current, and the next use
    // chooses again.
    {
        TTestDriver passing(u"Passing", 1);
        SelectAudioDriver(u"passing");
    }
    EXPECT_EQ(CurrentAudioDriver().Name(), u"Null");
    StopAudioDriver();
}

TEST(AudioDrivers, TheFirstUseTriesThePreferredDriverThenNull) {
    StopAudioDriver();
    TTestDriver platform(u"Platform", 1);
    // None preferred: the null driver, silently.
    testing::internal::CaptureStdout();
    EXPECT_EQ(&CurrentAudioDriver(), &NullAudioDriver());
    StopAudioDriver();

    PreferAudioDriver(u"Platform");
    {
        TTestDriver noDevice(u"Platform", 0); // in front of the other
        EXPECT_EQ(&CurrentAudioDriver(), &NullAudioDriver());
        EXPECT_EQ(noDevice.startups, 1);
        EXPECT_EQ(&CurrentAudioDriver(), &NullAudioDriver()); // chosen once
        EXPECT_EQ(noDevice.startups, 1);
    }
    StopAudioDriver();
    EXPECT_EQ(&CurrentAudioDriver(), &platform);
    StopAudioDriver();
    EXPECT_EQ(platform.shutdowns, 1);
    // Neither the null driver nor a driver that fails to start says a word.
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    // A platform whose driver found nothing to play through: said once.
    PreferAudioDriver(u"Missing");
    testing::internal::CaptureStdout();
    EXPECT_EQ(&CurrentAudioDriver(), &NullAudioDriver());
    StopAudioDriver();
    EXPECT_EQ(&CurrentAudioDriver(), &NullAudioDriver());
    StopAudioDriver();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Sound is off: Missing is not available.\r\n");
    PreferAudioDriver(u"");
}

TEST(NullDriver, RemembersWhatItIsToldAndPlaysNothing) {
    ASSERT_EQ(SelectAudioDriver(u"Null"), 1);
    TTempDirectory dir;
    const Text path = dir.WriteFile("car2.wav", PcmWav(1, 11025, 8, std::string(50, '\x80')));

    const auto sound = std::dynamic_pointer_cast<TNullSound>(AudioLoadSound(path, SoundLoops));
    ASSERT_TRUE(sound);
    EXPECT_TRUE(sound->Loops());
    EXPECT_EQ(sound->Length(), 50);
    EXPECT_EQ(sound->Hertz(), 11025);
    EXPECT_EQ(sound->Format(), FormatMono8);

    const auto channel = std::dynamic_pointer_cast<TNullChannel>(AudioCueSound(sound, nullptr));
    ASSERT_TRUE(channel);
    EXPECT_EQ(channel->Sound(), sound);
    EXPECT_TRUE(channel->Paused());
    AudioResumeChannel(channel);
    EXPECT_FALSE(channel->Paused());
    AudioSetRate(channel, 2.5f);
    AudioSetVolume(channel, 0.5f);
    AudioSetPan(channel, -0.25f);
    AudioSetDepth(channel, 3.0f);
    EXPECT_EQ(channel->Rate(), 2.5f);
    EXPECT_EQ(channel->Volume(), 0.5f);
    EXPECT_EQ(channel->Pan(), -0.25f);
    EXPECT_EQ(channel->Depth(), 3.0f);
    EXPECT_EQ(AudioChannelBusy(channel), 0);

    AudioStopChannel(channel);
    EXPECT_FALSE(channel->Sound());
    EXPECT_EQ(AudioPlaySound(sound, channel), channel);
    EXPECT_EQ(channel->Sound(), sound);
    EXPECT_FALSE(channel->Paused());
    EXPECT_EQ(AudioChannelBusy(channel), 0);

    // A channel of another kind is not used: the sound brings its own.
    const auto base = std::make_shared<TChannel>();
    EXPECT_NE(AudioPlaySound(sound, base), base);
    EXPECT_TRUE(std::dynamic_pointer_cast<TNullChannel>(AudioNewChannel()));
    StopAudioDriver();
}

TEST(NullDriver, AMissingSoundIsNoneAndHarmless) {
    ASSERT_EQ(SelectAudioDriver(u"Null"), 1);
    TTempDirectory dir;
    const auto missing = AudioLoadSound(dir.TextPath("explo.wav"), 0);
    EXPECT_FALSE(missing);
    EXPECT_FALSE(AudioLoadSound(std::shared_ptr<TAudioSample>(), 0));

    const auto channel = AudioNewChannel();
    EXPECT_EQ(AudioPlaySound(missing, channel), channel);
    EXPECT_EQ(AudioCueSound(missing, nullptr), nullptr);
    AudioStopChannel(nullptr);
    AudioResumeChannel(nullptr);
    AudioSetRate(nullptr, 0.2f);
    EXPECT_EQ(AudioChannelBusy(nullptr), 0);
    StopAudioDriver();
}
