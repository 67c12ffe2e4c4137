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

TEST(MixerUnits, DeviceUnitsMapToGainDirectionAndPitch) {
    EXPECT_FLOAT_EQ(GainFromMillibels(0), 1.0f);
    EXPECT_FLOAT_EQ(GainFromMillibels(-2000), 0.1f);
    EXPECT_FLOAT_EQ(GainFromMillibels(-10000), 1e-5f);

    const auto left = PositionFromPanUnits(-10000);
    EXPECT_FLOAT_EQ(left.x, -1.0f);
    EXPECT_FLOAT_EQ(left.z, 0.0f);
    const auto ahead = PositionFromPanUnits(0);
    EXPECT_FLOAT_EQ(ahead.x, 0.0f);
    EXPECT_FLOAT_EQ(ahead.z, -1.0f);
    const auto right = PositionFromPanUnits(6000);
    EXPECT_FLOAT_EQ(right.x, 0.6f);
    EXPECT_FLOAT_EQ(right.z, -0.8f); // still at distance 1

    EXPECT_FLOAT_EQ(PitchFromFrequency(8820, 44100), 0.2f);
    EXPECT_FLOAT_EQ(PitchFromFrequency(132300, 44100), 3.0f);

    EXPECT_EQ(AudioFailureMessage(u"alBufferData", 0xA003), u"alBufferData failed (40963)");
    EXPECT_EQ(AudioFailureMessage(u"Lock", -2005401530), u"Lock failed (70)");
}
