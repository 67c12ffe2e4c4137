#pragma once

// What a program sees when its platform's driver finds no output device: the
// first audio call falls back to the "Null" driver, the program says once
// why there is no sound, and everything still loads and plays silently.

#include "audio/audio.h"
#include "audio/null_audio.h"
#include "temp_directory.h"
#include "wav_bytes.h"

#include <gtest/gtest.h>

#include <string>

inline void ExpectTheNullDriverToStandInFor(const Text& driver) {
    EXPECT_EQ(ListAudioDrivers(), std::vector<Text>({driver, u"Null"}));

    testing::internal::CaptureStdout();
    const Text chosen = CurrentAudioDriver().Name();
    EXPECT_EQ(SelectAudioDriver(LowerText(driver)), 0);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(chosen, u"Null");
    EXPECT_EQ(said, "Sound is off: no audio output device could be opened.\r\n");

    TTempDirectory dir;
    const auto engine =
        AudioLoadSound(dir.WriteFile("car2.wav", PcmWav(1, 8000, 8, "abcd")), SoundLoops);
    ASSERT_TRUE(std::dynamic_pointer_cast<TNullSound>(engine));
    const auto channel = AudioPlaySound(engine, nullptr);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    StopAudioDriver();
}
