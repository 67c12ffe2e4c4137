// Plays the tones of directsound_tone_cases.h through the "DirectSound"
// driver, on one channel, each after a cue with its volume, pan and rate, so
// that a recording of the output can be checked (directsound_recording_test).
// Exits with 1 when DirectSound does not start.

#include "audio/audio.h"
#include "audio/sample_format.h"
#include "directsound_tone_cases.h"
#include "util/text.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <thread>

using namespace DirectSoundTones;

namespace {

std::shared_ptr<TAudioSample> SilentSample() {
    auto sample = TAudioSample::Create(SoundHertz, SoundHertz, FormatMono16LE);
    std::memset(sample->samples, 0, static_cast<size_t>(sample->capacity));
    return sample;
}

std::shared_ptr<TAudioSample> ToneSample() {
    auto sample = TAudioSample::Create(SoundHertz, SoundHertz, FormatMono16LE);
    auto* values = reinterpret_cast<int16_t*>(sample->samples);
    for (int32_t i = 0; i < SoundHertz; ++i) {
        const double phase = 2 * std::numbers::pi * (i % FramesPerPeriod) / FramesPerPeriod;
        values[i] = static_cast<int16_t>(std::lround(Amplitude * 32767 * std::sin(phase)));
    }
    return sample;
}

void Wait(int32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace

int main() {
    if (CurrentAudioDriver().Name() != u"DirectSound") {
        std::fprintf(stderr, "DirectSound did not start\n");
        return 1;
    }
    const auto tone = CurrentAudioDriver().CreateSound(ToneSample(), SoundLoops);
    const auto channel = AudioNewChannel();
    AudioPlaySound(CurrentAudioDriver().CreateSound(SilentSample(), SoundLoops), channel);
    Wait(LeadInMilliseconds);
    AudioStopChannel(channel);
    for (const TCase& c : Cases) {
        AudioSetVolume(channel, c.volume);
        AudioSetPan(channel, c.pan);
        AudioSetRate(channel, c.rate);
        AudioPlaySound(tone, channel);
        Wait(ToneMilliseconds);
        AudioStopChannel(channel);
        Wait(GapMilliseconds);
    }
    StopAudioDriver();
    return 0;
}
