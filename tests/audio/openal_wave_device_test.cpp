// The "OpenAL" driver opened the way the game opens it, on the default
// device, with OpenAL Soft configured to write its output to a file instead
// of a sound card. OpenAL reads its configuration once per process, so this
// test has a program of its own.

#include "audio/audio.h"
#include "temp_directory.h"
#include "util/clock.h"
#include "wav_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// The largest magnitude among the 16-bit values after the "data" tag.
int PeakAfterData(const std::string& wav) {
    const auto data = wav.find("data");
    if (data == std::string::npos) {
        return -1;
    }
    int peak = 0;
    for (size_t i = data + 8; i + 1 < wav.size(); i += 2) {
        const auto v = static_cast<int16_t>(static_cast<uint8_t>(wav[i]) |
                                            (static_cast<uint8_t>(wav[i + 1]) << 8));
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    return peak;
}

} // namespace

TEST(OpenALWaveDevice, PlaysASoundIntoTheConfiguredFile) {
    TTempDirectory dir;
    const auto output = dir.Path("mix.wav");
    const Text config = dir.WriteFile("alsoft.conf", "[general]\n"
                                                     "drivers=wave\n"
                                                     "channels=stereo\n"
                                                     "sample-type=int16\n"
                                                     "frequency=44100\n"
                                                     "[wave]\n"
                                                     "file=" +
                                                         output.string() + "\n");
    // Before the first OpenAL call of the process, which reads them.
    setenv("ALSOFT_CONF", TextToUtf8(config).c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);

    ASSERT_EQ(CurrentAudioDriver().Name(), u"OpenAL");
    const Text path = dir.WriteFile(
        "explo.wav", PcmWav(1, 22050, 16, Samples16(SineTone(22050 / 5, 440.0, 22050))));
    const auto crash = AudioLoadSound(path, 0);
    ASSERT_TRUE(crash);
    const auto channel = AudioCueSound(crash, nullptr);
    EXPECT_EQ(AudioChannelBusy(channel), 0);
    AudioResumeChannel(channel);
    EXPECT_EQ(AudioChannelBusy(channel), 1);

    // The device mixes on its own thread in real time: a fifth of a second of
    // sound, waited for generously.
    for (int waited = 0; waited < 10000 && AudioChannelBusy(channel) == 1; waited += 10) {
        DelayMillisecs(10);
    }
    EXPECT_EQ(AudioChannelBusy(channel), 0);

    // Closing the device completes the file.
    StopAudioDriver();
    std::ifstream in(output, std::ios::binary);
    const std::string mix{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(mix.substr(0, 4), "RIFF");
    EXPECT_GT(PeakAfterData(mix), 1000);
}
