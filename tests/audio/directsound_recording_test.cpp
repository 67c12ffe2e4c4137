// Checks a recording of directsound-tone-player: what the "DirectSound"
// driver played, as the output device heard it (under Wine, recorded from a
// PulseAudio null sink by pulse_null_sink.sh as raw 32-bit float stereo at
// 48 kHz). Each tone must sound at the level, on the sides and at the pitch
// that its channel's settings give in DirectSound's units, within 0.5 dB.

#include "directsound_tone_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

using namespace DirectSoundTones;

namespace {

constexpr char RecordingFile[] = "directsound-recording.raw";
constexpr int32_t RecordingHertz = 48000;
constexpr size_t BlockFrames = RecordingHertz / 100; // 10 ms
constexpr float LoudLevel = 0.01f;
// Measured away from each tone's edges, where the device's latency and the
// sleeps of the player blur the timing.
constexpr size_t EdgeFrames = RecordingHertz * 150 / 1000;
// Each tone is measured in windows of 50 ms, and the median taken: a moment
// where the device fell behind (Wine under load) spoils a window or two, not
// the measurement.
constexpr size_t WindowFrames = RecordingHertz / 20;

struct TFrame {
    float left;
    float right;
};

struct TSegment {
    size_t begin;
    size_t end;
};

std::vector<TFrame> ReadRecording() {
    std::ifstream file(RecordingFile, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<TFrame> frames(bytes.size() / sizeof(TFrame));
    std::copy_n(bytes.data(), frames.size() * sizeof(TFrame),
                reinterpret_cast<char*>(frames.data()));
    return frames;
}

// The stretches where either side sounds, to the nearest block. A gap too
// short to be one between tones (the device fell behind) splits no tone.
std::vector<TSegment> Tones(const std::vector<TFrame>& frames) {
    constexpr size_t ShortestGap = RecordingHertz * GapMilliseconds / 2000;
    std::vector<TSegment> tones;
    bool inTone = false;
    for (size_t block = 0; block + BlockFrames <= frames.size(); block += BlockFrames) {
        const bool loud = std::any_of(
            frames.begin() + block, frames.begin() + block + BlockFrames, [](const TFrame& f) {
                return std::max(std::fabs(f.left), std::fabs(f.right)) > LoudLevel;
            });
        if (loud && !inTone && (tones.empty() || block - tones.back().end >= ShortestGap)) {
            tones.push_back({block, block});
        }
        if (loud) {
            tones.back().end = block + BlockFrames;
        }
        inTone = loud;
    }
    return tones;
}

// Decibels of a side's RMS level below that of the samples' full-level tone.
double LevelDb(const std::vector<TFrame>& frames, TSegment s, float TFrame::*side) {
    double sum = 0.0;
    for (size_t i = s.begin; i < s.end; ++i) {
        sum += double(frames[i].*side) * (frames[i].*side);
    }
    const double rms = std::sqrt(sum / double(s.end - s.begin));
    return 20.0 * std::log10(std::max(rms, 1e-12) / (Amplitude / std::sqrt(2.0)));
}

// The pitch, from the upward zero crossings, interpolated between frames.
double Hertz(const std::vector<TFrame>& frames, TSegment s, float TFrame::*side) {
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (size_t i = s.begin + 1; i < s.end; ++i) {
        const float a = frames[i - 1].*side;
        const float b = frames[i].*side;
        if (a < 0.0f && b >= 0.0f) {
            const double at = double(i - 1) + a / double(a - b);
            first = first < 0.0 ? at : first;
            last = at;
            ++crossings;
        }
    }
    return crossings > 1 ? (crossings - 1) * RecordingHertz / (last - first) : 0.0;
}

// The median of a measurement over the windows of a stretch.
template <typename Measure>
double Median(TSegment s, Measure measure) {
    std::vector<double> values;
    for (size_t begin = s.begin; begin + WindowFrames <= s.end; begin += WindowFrames) {
        values.push_back(measure(TSegment{begin, begin + WindowFrames}));
    }
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void ExpectLevel(double measured, double expected, const char* what) {
    if (expected <= Silenced) {
        EXPECT_LT(measured, -80.0) << what;
    } else {
        EXPECT_NEAR(measured, expected, 0.5) << what;
    }
}

} // namespace

TEST(DirectSoundRecording, EachToneSoundsAtTheLevelPanAndPitchOfItsSettings) {
    const std::vector<TFrame> frames = ReadRecording();
    ASSERT_FALSE(frames.empty()) << "no recording in " << RecordingFile;
    const std::vector<TSegment> tones = Tones(frames);
    ASSERT_EQ(tones.size(), std::size(Cases)) << "tones heard in the recording";

    for (size_t i = 0; i < tones.size(); ++i) {
        const TCase& c = Cases[i];
        const TSegment middle{tones[i].begin + EdgeFrames, tones[i].end - EdgeFrames};
        ASSERT_LT(middle.begin + RecordingHertz / 4, middle.end) << c.name << ": too short";
        const auto median = [&](auto measure, float TFrame::*side) {
            return Median(middle, [&](TSegment window) { return measure(frames, window, side); });
        };
        const double left = median(LevelDb, &TFrame::left);
        const double right = median(LevelDb, &TFrame::right);
        const double hertz = median(Hertz, left >= right ? &TFrame::left : &TFrame::right);
        std::printf("%-12s left %8.2f dB  right %8.2f dB  %8.2f Hz\n", c.name, left, right, hertz);
        ExpectLevel(left, c.leftDb, c.name);
        ExpectLevel(right, c.rightDb, c.name);
        EXPECT_NEAR(hertz, c.hertz, c.hertz * 0.005) << c.name;
    }
}
