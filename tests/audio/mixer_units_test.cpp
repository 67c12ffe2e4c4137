#include "audio/audio_failure.h"
#include "audio/mixer_units.h"

#include <gtest/gtest.h>

TEST(MixerUnits, VolumeAndPanFollowTheirCurvesIntoDeviceUnits) {
    EXPECT_EQ(VolumeCurve(0.5f), 0.933033f);
    EXPECT_EQ(MillibelsFromVolumeCurve(VolumeCurve(0.5f)), -669);
    EXPECT_EQ(MillibelsFromVolumeCurve(VolumeCurve(0.0f)), -10000);
    EXPECT_EQ(MillibelsFromVolumeCurve(VolumeCurve(1.0f)), 0);
    EXPECT_EQ(MillibelsFromVolumeCurve(VolumeCurve(7.0f)), 0);

    EXPECT_EQ(PanUnitsFromPanCurve(PanCurve(-1.0f)), -10000);
    EXPECT_EQ(PanUnitsFromPanCurve(PanCurve(0.0f)), 0);
    EXPECT_EQ(PanUnitsFromPanCurve(PanCurve(0.5f)), 669);
    EXPECT_EQ(PanUnitsFromPanCurve(PanCurve(-0.5f)), -669);
    EXPECT_EQ(PanUnitsFromPanCurve(PanCurve(4.0f)), 10000);

    EXPECT_EQ(FrequencyFromRate(44100, 0.2f), 8820);
    EXPECT_EQ(FrequencyFromRate(22050, 3.0f), 66150);
}

TEST(MixerUnits, DeviceUnitsMapToSideGainsAndPitch) {
    EXPECT_FLOAT_EQ(GainFromMillibels(0), 1.0f);
    EXPECT_FLOAT_EQ(GainFromMillibels(-2000), 0.1f);
    EXPECT_FLOAT_EQ(GainFromMillibels(-10000), 1e-5f);

    // {volume, pan, left, right}, in hundredths of a decibel: the pan takes
    // from the far side only, and nothing goes below -10000.
    const struct {
        int32_t volume;
        int32_t pan;
        int32_t left;
        int32_t right;
    } cases[] = {
        {0, 0, 0, 0},
        {0, 669, -669, 0},
        {0, -669, 0, -669},
        {0, 10000, -10000, 0},
        {0, -10000, 0, -10000},
        {-600, 600, -1200, -600},
        {-9000, 2000, -10000, -9000},
        {-10000, 0, -10000, -10000},
    };
    for (const auto& c : cases) {
        const TSideGains gains = SideGains(c.volume, c.pan);
        EXPECT_FLOAT_EQ(gains.left, GainFromMillibels(c.left)) << c.volume << " " << c.pan;
        EXPECT_FLOAT_EQ(gains.right, GainFromMillibels(c.right)) << c.volume << " " << c.pan;
    }

    EXPECT_FLOAT_EQ(PitchFromFrequency(8820, 44100), 0.2f);
    EXPECT_FLOAT_EQ(PitchFromFrequency(132300, 44100), 3.0f);
    // A rate that gives no positive frequency plays the sound at its own rate.
    EXPECT_FLOAT_EQ(PitchFromFrequency(0, 44100), 1.0f);
    EXPECT_FLOAT_EQ(PitchFromFrequency(-44100, 44100), 1.0f);

    EXPECT_EQ(AudioFailureMessage(u"alBufferData", 0xA003), u"alBufferData failed (40963)");
    EXPECT_EQ(AudioFailureMessage(u"Lock", -2005401530), u"Lock failed (70)");
}
