#include "wave_writer.h"

#include "io/stream_open.h"
#include "util/runtime_error.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t PcmFormatTag = 1;
constexpr int32_t Channels = 1;
constexpr int32_t BitsPerSample = 16;
constexpr int32_t BytesPerFrame = Channels * BitsPerSample / 8;
constexpr int32_t FormatChunkSize = 16;

void WriteTag(TStream& stream, const char (&tag)[5]) {
    stream.WriteBytes(tag, 4);
}

} // namespace

std::vector<int16_t> ToPcm16(const std::vector<double>& signal, double peak) {
    double largest = 0.0;
    for (const double value : signal) {
        largest = std::max(largest, std::abs(value));
    }
    const double gain = largest > 0.0 ? peak * 32767.0 / largest : 0.0;
    std::vector<int16_t> samples;
    samples.reserve(signal.size());
    for (const double value : signal) {
        samples.push_back(
            static_cast<int16_t>(std::clamp(std::lround(value * gain), -32767L, 32767L)));
    }
    return samples;
}

void WriteWaveFile(const Text& path, const std::vector<int16_t>& samples, int32_t hertz) {
    const auto stream = StreamOpenWrite(path);
    if (!stream) {
        RaiseRuntimeError(u"could not write " + path);
    }
    const auto dataBytes = static_cast<int32_t>(samples.size()) * BytesPerFrame;
    WriteTag(*stream, "RIFF");
    stream->WriteInt(4 + 8 + FormatChunkSize + 8 + dataBytes);
    WriteTag(*stream, "WAVE");
    WriteTag(*stream, "fmt ");
    stream->WriteInt(FormatChunkSize);
    stream->WriteShort(PcmFormatTag);
    stream->WriteShort(Channels);
    stream->WriteInt(hertz);
    stream->WriteInt(hertz * BytesPerFrame);
    stream->WriteShort(BytesPerFrame);
    stream->WriteShort(BitsPerSample);
    WriteTag(*stream, "data");
    stream->WriteInt(dataBytes);
    for (const int16_t sample : samples) {
        stream->WriteShort(static_cast<uint16_t>(sample));
    }
    stream->Close();
}
