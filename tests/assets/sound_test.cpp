// The two sounds load through the game's WAV loader and behave at their
// ends the way the game plays them: the engine in a loop, the crash once.

#include "asset_files.h"
#include "audio/audio_sample_loader.h"
#include "audio/sample_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<int> LoadSamples(const std::string& name, int32_t& hertz) {
    const auto sample = AudioSampleFromUrl(AssetPath(name));
    EXPECT_NE(sample, nullptr) << name;
    if (!sample) {
        return {};
    }
    EXPECT_EQ(sample->format, FormatMono16LE) << name;
    hertz = sample->hertz;
    std::vector<int> values;
    for (int32_t i = 0; i < sample->length; ++i) {
        int16_t value;
        std::memcpy(&value, sample->samples + 2 * i, 2);
        values.push_back(value);
    }
    return values;
}

int LargestStep(const std::vector<int>& samples) {
    int largest = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        largest = std::max(largest, std::abs(samples[i] - samples[i - 1]));
    }
    return largest;
}

double Rms(const std::vector<int>& samples, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return std::sqrt(sum / static_cast<double>(to - from));
}

TEST(Sounds, EngineLoopsWithoutAClick) {
    int32_t hertz = 0;
    const auto engine = LoadSamples("car2.wav", hertz);
    ASSERT_FALSE(engine.empty());
    EXPECT_GE(hertz, 11025);
    EXPECT_GT(engine.size(), static_cast<size_t>(hertz / 4)) << "long enough not to buzz";
    // Wrapping round from the last sample to the first is a step like any
    // other in the sound, and the loop has no offset to thump on start.
    EXPECT_LE(std::abs(engine.front() - engine.back()), LargestStep(engine) / 2);
    double mean = 0;
    for (const int value : engine) {
        mean += value;
    }
    EXPECT_LT(std::abs(mean / static_cast<double>(engine.size())), 200.0);
    EXPECT_GT(Rms(engine, 0, engine.size()), 3000.0);
    EXPECT_LT(*std::max_element(engine.begin(), engine.end()), 32767);
}

TEST(Sounds, CrashHitsAtOnceAndFadesToSilence) {
    int32_t hertz = 0;
    const auto crash = LoadSamples("explo.wav", hertz);
    ASSERT_FALSE(crash.empty());
    const auto tenth = static_cast<size_t>(hertz / 10);
    ASSERT_GT(crash.size(), 4 * tenth);
    EXPECT_LT(std::abs(crash.front()), 100);
    EXPECT_LT(std::abs(crash.back()), 100);
    // Loudest in its first tenth of a second, much quieter in its last.
    EXPECT_GT(Rms(crash, 0, tenth), 4 * Rms(crash, crash.size() - tenth, crash.size()));
    EXPECT_GT(Rms(crash, 0, tenth), 5000.0);
}

} // namespace
