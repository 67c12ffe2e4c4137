#pragma once

// Builds RIFF/WAVE files byte by byte, so that tests can write exactly the
// layouts (and the faults) they need.

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

inline std::string LittleEndian(uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

// A chunk: tag, size (the body's, unless `claimedSize` says otherwise), body.
inline std::string Chunk(const std::string& tag, const std::string& body,
                         int64_t claimedSize = -1) {
    const auto size = static_cast<uint32_t>(claimedSize >= 0 ? claimedSize : body.size());
    return tag + LittleEndian(size, 4) + body;
}

// The body of a "fmt " chunk; `extension` follows the 16 plain bytes.
inline std::string FormatBody(int formatTag, int channels, int hertz, int bits,
                              const std::string& extension = "") {
    const int blockAlign = channels * bits / 8;
    return LittleEndian(formatTag, 2) + LittleEndian(channels, 2) + LittleEndian(hertz, 4) +
           LittleEndian(hertz * blockAlign, 4) + LittleEndian(blockAlign, 2) +
           LittleEndian(bits, 2) + extension;
}

inline std::string Riff(const std::string& chunks) {
    return "RIFF" + LittleEndian(static_cast<uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

// A plain PCM file of the given 8- or 16-bit frames.
inline std::string PcmWav(int channels, int hertz, int bits, const std::string& data) {
    return Riff(Chunk("fmt ", FormatBody(1, channels, hertz, bits)) + Chunk("data", data));
}

inline std::string Samples16(const std::vector<int16_t>& values) {
    std::string out;
    for (const int16_t v : values) {
        out += LittleEndian(static_cast<uint16_t>(v), 2);
    }
    return out;
}

// `frames` mono values of a sine of `frequency` hertz at `hertz` frames per
// second.
inline std::vector<int16_t> SineTone(int frames, double frequency, int hertz,
                                     double amplitude = 16000.0) {
    std::vector<int16_t> values(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        values[static_cast<size_t>(i)] = static_cast<int16_t>(
            std::lround(amplitude * std::sin(2.0 * std::numbers::pi * frequency * i / hertz)));
    }
    return values;
}
